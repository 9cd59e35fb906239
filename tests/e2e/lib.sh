# Shared steps of the window tests: a private virtual X server, a scratch
# working folder, the real program, real input through XTest, and screenshots
# read back pixel by pixel. Sourced by tests/e2e/test_*.sh.
set -euo pipefail

: "${LUMO_BIN:?}" "${LUMO_SOURCE_DIR:?}"
ARTIFACTS=${LUMO_ARTIFACTS:-/tmp/lumo-artifacts}
TEST_NAME=$(basename "$0" .sh)
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d /tmp/lumo-e2e-XXXXXX)
XVFB_PID=""
GAME_PID=""

# A program still running is killed outright: Allegro's own handler for a
# polite signal can hang once its X server is gone. The X server is waited
# for, so that the next test never meets it still shutting down.
cleanup() {
    if [[ -n "$GAME_PID" ]]; then
        pkill -KILL -P "$GAME_PID" 2>/dev/null || true
        kill -KILL "$GAME_PID" 2>/dev/null || true
    fi
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait_gone "$XVFB_PID" 10 || kill -KILL "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    chmod -R u+w "$WORK" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL ($TEST_NAME): $*" >&2
    if [[ -n "${WINDOW:-}" ]]; then
        import -window root "$ARTIFACTS/$TEST_NAME-failure.png" 2>/dev/null &&
            echo "screenshot kept: $ARTIFACTS/$TEST_NAME-failure.png" >&2
    fi
    exit 1
}

# Whether process $1 ended within $2 seconds.
wait_gone() {
    local deadline=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# An X server of our own, XVFB_SCREEN in size (a small one keeps the
# window at 640x480). -noreset: by default an X server resets whenever
# its last client leaves (an xdotool or import run between two looks at the
# window), and a program that connects during that reset has its connection
# closed half-way: "Unable to start Allegro". -r: no key repeat, so a held
# key is one press from down to up, as the tests mean it. The display number is the one the server found free, written
# once it accepts connections.
start_x() {
    local display_file="$WORK/.display" deadline=$((SECONDS + 30))
    rm -f "$display_file"  # a second server's number, not the first's
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-800x600x24}" -nolisten tcp -noreset -r 3>"$display_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    until [[ -s "$display_file" ]]; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start"
        ((SECONDS < deadline)) || fail "Xvfb gave no display number within 30 s"
        sleep 0.05
    done
    export DISPLAY=":$(head -1 "$display_file")"
}

# A working folder with flat-coloured test images and the given level text.
use_test_images() {
    (cd "$WORK" && "$LUMO_MAKE_TEST_IMAGES")
}

# A working folder with the shipped Data/ and level files.
use_game_data() {
    cp -r "$LUMO_SOURCE_DIR/Data" "$WORK/"
    cp "$LUMO_SOURCE_DIR"/0[123].txt "$WORK/"
}

# The program, or the given command in its place (an installed launcher),
# with the options in GAME_OPTIONS.
start_game() {
    (cd "$WORK" && exec "${1:-$LUMO_BIN}" ${GAME_OPTIONS:-} >"$WORK/.output" 2>&1) &
    GAME_PID=$!
}

# Waits for the game's window and keeps its id in WINDOW. The title is the
# program's name, "lumo" or "Lumo".
wait_window() {
    local deadline=$((SECONDS + 30))
    WINDOW=""
    until WINDOW=$(xdotool search --name '^[Ll]umo$' 2>/dev/null | head -1) && [[ -n "$WINDOW" ]]; do
        kill -0 "$GAME_PID" 2>/dev/null && ((SECONDS < deadline)) ||
            fail "no game window appeared; program said: $(cat "$WORK/.output")"
        sleep 0.05
    done
}

# Gives the game window the keyboard focus, unless it has it. Moving the
# focus from the pointer's window to the game's sends the game a focus-out
# first, which pauses a game: the first focus is given at the menu.
focus_window() {
    [[ $(xdotool getwindowfocus 2>/dev/null) == "$WINDOW" ]] ||
        timeout 5 xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
}

# Holds a key down until the given command succeeds (a condition on the
# screen, checked with its own deadline), then lets it go: however slow the
# frames, one of them sees the key.
hold_key() {
    local key=$1
    shift
    focus_window
    xdotool keydown "$key"
    local seen=0
    "$@" || seen=$?
    xdotool keyup "$key"
    return "$seen"
}

# A click: the program keeps a press that came and went between two of its
# frames, so the button is not held for any length of time.
click() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1 mouseup 1
}

# Runs the command given until it succeeds, for up to the seconds given.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Whether lumo.cfg holds the line given. The game saves a choice just after
# its effect shows, so a test waits for the line rather than reading once.
settings_hold() { grep -qx "$1" "$WORK/lumo.cfg" 2>/dev/null; }

# Whether the game window has the size "W x H" (the window manager may
# first show Allegro's initial window); SIZE keeps the size seen.
window_size_is() {
    SIZE=$(xwininfo -id "$WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w " x " h}')
    [[ "$SIZE" == "$1" ]]
}

# Screenshot of the game window into $ARTIFACTS/<name>.png.
shot() {
    import -window "$WINDOW" "$ARTIFACTS/$TEST_NAME-$1.png"
    SHOT="$ARTIFACTS/$TEST_NAME-$1.png"
}

# "r g b" of one pixel of the last screenshot.
pixel() {
    convert "$SHOT" -crop "1x1+$1+$2" -depth 8 txt:- |
        sed -n '2s/.*srgb(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p'
}

# Whether the pixel is within a few steps per channel of "r g b".
pixel_near() {
    local x=$1 y=$2 expected=$3 seen
    seen=$(pixel "$x" "$y")
    read -r r g b <<<"$seen"
    read -r er eg eb <<<"$expected"
    local d
    for d in $((r - er)) $((g - eg)) $((b - eb)); do
        ((d >= -6 && d <= 6)) || { echo "$seen"; return 1; }
    done
}

# Waits for the program to end; its status lands in STATUS.
wait_exit() {
    local limit=${1:-10}
    wait_gone "$GAME_PID" "$limit" || fail "the program is still running after ${limit}s"
    set +e
    wait "$GAME_PID"
    STATUS=$?
    set -e
    GAME_PID=""
}

# The xmessage box on this test's display, into BOX_PID: other programs on
# the machine may have boxes of their own open.
message_box() {
    local candidate
    for candidate in $(pgrep -x xmessage); do
        if tr '\0' '\n' <"/proc/$candidate/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY"; then
            BOX_PID=$candidate
            return 0
        fi
    done
    return 1
}

# Finds the message box the program opened, reads its text and closes it
# with Return, as a player would.
read_message() {
    local deadline=$((SECONDS + 30)) box=""
    until message_box; do
        ((SECONDS < deadline)) || fail "no message box appeared"
        sleep 0.05
    done
    # The text is xmessage's last argument; Allegro ends it with a line break.
    local arguments
    mapfile -d '' arguments <"/proc/$BOX_PID/cmdline"
    MESSAGE=${arguments[-1]%$'\n'}
    until box=$(xdotool search --class Xmessage 2>/dev/null | head -1) && [[ -n "$box" ]]; do
        ((SECONDS < deadline)) || break
        sleep 0.05
    done
    if [[ -n "$box" ]]; then
        timeout 5 xdotool windowfocus --sync "$box" 2>/dev/null || true
        xdotool key --window "$box" Return 2>/dev/null || true
    fi
    wait_gone "$BOX_PID" 10 || kill "$BOX_PID" 2>/dev/null || true
}

# Draws the screen a check expects into $ARTIFACTS/<test>-<name>.png, kept
# beside a failing screenshot: black 640x480, then each "file x y" (a path
# under the shipped Data/) laid on it in order, PNGs blended by their alpha.
# EXPECTED names the file.
expected_screen() {
    EXPECTED="$ARTIFACTS/$TEST_NAME-expected-$1.png"
    shift
    local arguments=(-size 640x480 xc:black) item file x y
    for item in "$@"; do
        read -r file x y <<<"$item"
        arguments+=("$LUMO_SOURCE_DIR/Data/$file" -geometry "+$x+$y" -composite)
    done
    convert "${arguments[@]}" -alpha off "$EXPECTED"
}

# Mean difference between the last screenshot and an expected screen inside
# the rectangle x y w h, in thousandths of full scale.
difference() {
    convert "$SHOT" "$1" -alpha off -crop "${4}x${5}+$2+$3" +repage \
        -compose difference -composite -colorspace gray -format '%[fx:round(1000*mean)]' info:
}

# Screenshots until the rectangle x y w h matches the expected screen (a mean
# difference of at most THRESHOLD thousandths) or the seconds run out. DIFFERENCE
# keeps the last difference seen, for the failure message.
THRESHOLD=${THRESHOLD:-12}
SHOT_INTERVAL=${SHOT_INTERVAL:-0.1}  # a slowed-down program wants fewer screenshots
wait_similar() {
    local seconds=$1 expected=$2 deadline
    shift 2
    deadline=$((SECONDS + seconds))
    while :; do
        shot current
        DIFFERENCE=$(difference "$expected" "$@")
        ((DIFFERENCE <= THRESHOLD)) && return 0
        ((SECONDS < deadline)) || return 1
        sleep "$SHOT_INTERVAL"
    done
}

# A click whose effect is checked: the effect is the expected screen in the
# rectangle. Clicked again only when the screen still shows no effect after
# a long while, so a click that was seen is never doubled.
click_until() {
    local x=$1 y=$2 expected=$3 attempt
    shift 3
    for attempt in 1 2 3; do
        click "$x" "$y"
        wait_similar 10 "$expected" "$@" && return 0
        echo "note: click at ($x, $y) not seen yet (difference $DIFFERENCE), try $((attempt + 1))" >&2
    done
    return 1
}

# Screenshots until level n's background shows, or the seconds run out.
wait_level() {
    local n=$1 deadline=$((SECONDS + $2))
    until shot level$n && on_level_background "$n"; do
        ((SECONDS < deadline)) || return 1
        sleep "$SHOT_INTERVAL"
    done
}

# The shipped menu: its buttons, the pointer's places, the banner.
M=Imagens/Menu
BUTTONS=("$M/BNovoJogo.png 0 140" "$M/BRanking.png 0 240" "$M/BAjuda.png 0 340"
        "$M/BCreditos.png 0 390" "$M/BSair.png 480 390")
POINTERS=("230 147" "230 247" "230 347" "230 397" "430 397")
BANNER="$M/LMBanner.png 250 50"
# The level chooser into CHOOSER: its three buttons in a column, its title
# left of them, and beside each its level's name and best time from the
# working folder's best.txt, or a dash. No banner under it.
chooser_parts() {
    local n m s line names=(park pool plaza) digit=Imagens/numeros
    CHOOSER=("B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$M/choose_level.png 62 3")
    for n in 1 2 3; do
        CHOOSER+=("$M/level_${names[n - 1]}.png 404 $((50 * n - 39))")
        line=$(grep -m1 "^$n " "$WORK/best.txt" 2>/dev/null || true)
        if [[ -z "$line" ]]; then
            CHOOSER+=("$M/no_best.png 540 $((50 * n - 35))")
            continue
        fi
        read -r _ m s <<<"$line"
        CHOOSER+=("$digit/0$((m / 10)).png 540 $((50 * n - 35))" "$digit/0$((m % 10)).png 556 $((50 * n - 35))"
                  "$digit/P.png 572 $((50 * n - 35))" "$digit/0$((s / 10)).png 588 $((50 * n - 35))"
                  "$digit/0$((s % 10)).png 604 $((50 * n - 35))")
    done
}
chooser_parts

# The pointer picture of button b (0 new game .. 4 exit) at its place.
pointer_of() {
    local picture=escolhaFeliz.png
    (($1 == 4)) && picture=escolhaTriste.png
    echo "$M/$picture ${POINTERS[$1]}"
}

# The menu with button b marked and the given panel drawings; into EXPECTED.
expected_menu() {
    local name=$1 b=$2
    shift 2
    expected_screen "$name" "${BUTTONS[@]}" "$@" "$(pointer_of "$b")"
}

# Level n's picture under the panel band, as a game starts: BACKGROUNDS[n].
BACKGROUNDS=()
expected_background() {
    [[ -n "${BACKGROUNDS[$1]:-}" ]] && return
    expected_screen "level$1" "Imagens/Niveis/0$1.jpg 0 0" "Imagens/interface.png 0 0"
    BACKGROUNDS[$1]=$EXPECTED
}

# Whether the playfield of the last screenshot shows level n's picture, the
# moving pictures aside, and not another level's. DIFFERENCE is the difference
# to level n's picture, OTHER to the closest other one.
FIELD=(0 70 640 410)
on_level_background() {
    local n=$1 other d
    OTHER=1000
    for other in 1 2 3; do
        expected_background "$other"
        d=$(difference "${BACKGROUNDS[other]}" "${FIELD[@]}")
        if ((other == n)); then DIFFERENCE=$d; elif ((d < OTHER)); then OTHER=$d; fi
    done
    ((DIFFERENCE <= 25 && OTHER > 2 * DIFFERENCE))
}

# From the menu: opens the level chooser and starts level n.
choose_level() {
    local n=$1
    expected_menu chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
    click_until 115 177 "$EXPECTED" 300 0 50 150 ||
        fail "new game did not open the level chooser (difference $DIFFERENCE/1000)"
    for _ in 1 2 3; do
        click 325 $((50 * n - 25))
        wait_level "$n" 10 && return 0
    done
    fail "level $n did not start on its background: difference $DIFFERENCE/1000 to its picture, $OTHER/1000 to another level's"
}

# Whether the whole window shows the menu with the banner (the pointer at new
# game, as on every entry), waiting up to the given seconds.
wait_menu() {
    expected_menu menu 0 "$BANNER"
    wait_similar "$1" "$EXPECTED" 0 0 640 480
}

# Starts the program (or the given one) and waits for its menu.
open_menu() {
    start_game "$@"
    wait_window
    wait_menu 30 || fail "the menu did not show (difference $DIFFERENCE/1000)"
    focus_window
}

# Screenshots until the elapsed clock has run past 0:01 (some thirty frames
# played), or the seconds run out. A slow screenshot may come seconds later.
wait_past_one_second() {
    local deadline=$((SECONDS + $1)) s played=()
    for s in 0 1; do
        expected_screen "played-${s}s" "Imagens/interface.png 0 0" "Imagens/numeros/00.png 400 20" \
            "Imagens/numeros/00.png 416 20" "Imagens/numeros/P.png 432 20" "Imagens/numeros/00.png 448 20" \
            "Imagens/numeros/0$s.png 464 20"
        played+=("$EXPECTED")
    done
    until shot clock && (($(difference "${played[0]}" 400 20 80 21) > THRESHOLD &&
                          $(difference "${played[1]}" 400 20 80 21) > THRESHOLD)); do
        ((SECONDS < deadline)) || return 1
        sleep "$SHOT_INTERVAL"
    done
}

# Whether the game-over card shows (its two buttons, Play again focused, as
# after every game), waiting up to the given seconds.
SUMMARY_BUTTONS=(180 381 280 52)
wait_summary_card() {
    expected_screen summary-card "Imagens/Summary/card.png 160 135" "Imagens/Summary/play_again.png 180 381" \
        "Imagens/Summary/menu.png 324 381" "Imagens/Summary/focus.png 180 381"
    wait_similar "$1" "$EXPECTED" "${SUMMARY_BUTTONS[@]}"
}

# Escape, held until the game has ended on its summary; Escape again, held
# until the summary has given way to the menu.
end_with_escape() {
    hold_key Escape wait_summary_card 30 || fail "Escape did not end the game on its summary (difference $DIFFERENCE/1000)"
    hold_key Escape wait_menu 30 || fail "Escape did not bring the menu back from the summary (difference $DIFFERENCE/1000)"
}

# The game-over summary over the playfield, waited for up to the given
# seconds: why it ended (time_up or ended), the time lasted mm:ss and the
# ranking place (0 for not entered). Only the inside of the card from below
# the title row to above the level's best is compared, clear of the face and
# the "New best!" badge.
SUMMARY_CARD=(170 186 280 112)
wait_for_summary() {
    local seconds=$1 why=$2 mm=$3 ss=$4 place=$5 digit=Imagens/numeros
    local parts=("Imagens/Summary/card.png 160 135" "Imagens/Summary/$why.png 180 189"
                 "$digit/0$((mm / 10)).png 368 224" "$digit/0$((mm % 10)).png 384 224" "$digit/P.png 400 224"
                 "$digit/0$((ss / 10)).png 416 224" "$digit/0$((ss % 10)).png 432 224")
    if ((place == 0)); then
        parts+=("Imagens/Summary/unranked.png 180 259")
    elif ((place < 10)); then
        parts+=("Imagens/Summary/place.png 180 259" "$digit/0$place.png 375 266")
    else
        parts+=("Imagens/Summary/place.png 180 259" "$digit/01.png 367 266" "$digit/00.png 383 266")
    fi
    expected_screen summary "${parts[@]}"
    wait_similar "$seconds" "$EXPECTED" "${SUMMARY_CARD[@]}"
}

# Escape, held until the summary has given way to the menu.
close_summary() {
    hold_key Escape wait_menu 30 || fail "Escape did not close the summary (difference $DIFFERENCE/1000)"
}

# The rank file the checks read: the game's, in its working folder.
RANK_TXT="$WORK/rank.txt"

# Every line of rank.txt on one line, for messages.
rank_on_one_line() { tr '\n' '|' <"$RANK_TXT"; }

# The ranking panel as rank.txt says it should look, lowest time first: each
# row two digits, the separator and two digits; into EXPECTED.
expected_ranking() {
    local k m s y digits=()
    [[ -f "$RANK_TXT" ]] || fail "no $RANK_TXT to compare the ranking panel with"
    mapfile -t RANK < <(sort -n -k1,1 -k2,2 "$RANK_TXT")
    for k in $(seq 0 9); do
        read -r m s <<<"${RANK[k]}"
        y=$((114 + 20 * k))
        digits+=("Imagens/numeros/0$((m / 10)).png 330 $y" "Imagens/numeros/0$((m % 10)).png 346 $y"
                  "Imagens/numeros/P.png 362 $y"
                  "Imagens/numeros/0$((s / 10)).png 378 $y" "Imagens/numeros/0$((s % 10)).png 394 $y")
    done
    expected_menu ranking 1 "$M/rank.png 250 50" "${digits[@]}"
}

# The ranking panel, opened with a click on the ranking button.
open_ranking() {
    expected_ranking
    click_until 115 277 "$EXPECTED" 250 50 390 320 ||
        fail "the ranking panel did not open as rank.txt says ($(rank_on_one_line)): difference $DIFFERENCE/1000"
}

# Row by row, so that a failure names the row: one wrong digit differs by 15
# or more thousandths, the right ones by 0 or 1. A screenshot caught while
# the panel was being drawn is taken again, for up to ten seconds.
check_ranking() {
    local k bad deadline=$((SECONDS + 10))
    while :; do
        bad=""
        for k in $(seq 0 9); do
            DIFFERENCE=$(difference "$EXPECTED" 330 $((114 + 20 * k)) 80 21)
            ((DIFFERENCE <= 5)) || { bad=$k; break; }
        done
        [[ -z "$bad" ]] && return 0
        ((SECONDS < deadline)) ||
            fail "ranking row $((bad + 1)) does not show '${RANK[bad]}' of rank.txt (difference $DIFFERENCE/1000)"
        sleep "$SHOT_INTERVAL"
        shot current
    done
}

# A level 1 file in the working folder where nothing can touch anything:
# every collision radius 0, the enemies still, the walls in the panel band
# where no object goes. The player starts at (300, 240) heading right at
# speed 5; the item waits at (560, 420), out of its lane.
level_without_contact() {
    cat >"$WORK/01.txt" <<'LEVEL'
300 240 5 0 0 5
560 420 0 0 0 5
40 420 0 0 0 5   120 420 0 0 0 5   200 420 0 0 0 5   280 420 0 0 0 5
0 0 10 10   20 0 30 10   40 0 50 10   60 0 70 10
LEVEL
}

# The face's place in the last screenshot, as "x y width" of its 40-pixel
# box, or nothing when it is not there: the yellow of its body (32 pixels
# across, 4 inside the box) where the shot differs from level 1's picture in
# the rows 70..399. Anything else that moves (an enemy coming in) is not
# yellow. A face cut by the window's edge is narrower than 36.
face() {
    expected_background 1
    convert "$SHOT" "${BACKGROUNDS[1]}" -alpha off -crop 640x330+0+70 +repage \
        \( -clone 0 -clone 1 -compose difference -composite -colorspace gray -threshold 4% \) \
        \( -clone 0 -color-matrix '0.5 0.5 -1  0 0 0  0 0 0' -channel R -separate +channel -threshold 45% \) \
        -delete 0,1 -compose multiply -composite \
        -define connected-components:verbose=true -define connected-components:area-threshold=100 \
        -connected-components 8 null: |
        awk '$NF == "gray(255)" { split($2, b, /[x+]/); printf "%d %d %d\n", b[3] - 4, b[4] + 66, b[1] + 8; exit }'
}

# The exit button ends the program with status 0; clicked again only if the
# program still runs a long while later.
exit_by_button() {
    for _ in 1 2 3; do
        click 560 427
        wait_gone "$GAME_PID" 10 && break
    done
    wait_exit 1
    ((STATUS == 0)) || fail "the exit button ended the program with status $STATUS, not 0"
}
