#!/usr/bin/env bash
# The window on a large screen and the command line: title "Lumo" and class
# lumo; on 1600x1200 the window is 1280x960 and its picture, scaled back
# down, is the game's own; clicks at magnified places work; P pauses (the
# clocks stand still) and resumes with no trace, losing the focus pauses;
# --scale 1 gives 640x480; --help, --version and bad options answer without
# a window.
source "$(dirname "$0")/lib.sh"
: "${LUMO_POINTER_SHOWN:?}"

# Waits until the X server shows the pointer ("shown") or not ("hidden").
wait_pointer() {
    local deadline=$((SECONDS + 5))
    until [[ $("$LUMO_POINTER_SHOWN") == "$1" ]]; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# The command line, with no display at all: nothing may open a window.
command_line() {
    set +e
    OUTPUT=$(cd "$WORK" && DISPLAY= "$LUMO_BIN" "$@" 2>"$WORK/.erro")
    STATUS=$?
    set -e
    ERROR=$(cat "$WORK/.erro")
}
command_line --help
((STATUS == 0)) && [[ "$OUTPUT" == Usage:* && "$OUTPUT" == *--scale* && -z "$ERROR" ]] ||
    fail "--help: status $STATUS, said '$OUTPUT' '$ERROR'"
command_line --version
((STATUS == 0)) && [[ "$OUTPUT" =~ ^lumo\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: status $STATUS, said '$OUTPUT'"
for bad in "--scale 0" "--scale x" "--scale" "--bogus" "--scale=9"; do
    command_line $bad
    first=$(head -1 <<<"$ERROR")
    ((STATUS == 2)) || fail "'$bad' ended with status $STATUS, not 2"
    [[ "$first" == *"${bad%%[ =]*}"* ]] || fail "'$bad': the first line does not name it: $first"
    [[ "$ERROR" == *Usage:* && -z "$OUTPUT" ]] || fail "'$bad': no usage on stderr: $ERROR"
done

XVFB_SCREEN=1600x1200x24 start_x
use_game_data
level_without_contact

start_game
wait_window
wait_until 10 window_size_is "1280 x 960" || fail "the window on 1600x1200 is $SIZE, not 1280 x 960"
class=$(xprop -id "$WINDOW" WM_CLASS)
[[ "$class" == *'"lumo", "lumo"'* ]] || fail "window class: $class"
[[ $(xprop -id "$WINDOW" WM_NAME) == *'"Lumo"'* ]] || fail "window title: $(xprop -id "$WINDOW" WM_NAME)"

# Screenshots taken at factor 2, each block back to one pixel.
reduced_shot() {
    shot "$1"
    convert "$SHOT" -sample 640x480 "$SHOT"
}
# Until the rectangle of the reduced screenshot matches the expected screen.
wait_reduced() {
    local seconds=$1 expected=$2 deadline=$((SECONDS + $1))
    shift 2
    while :; do
        reduced_shot current
        DIFFERENCE=$(difference "$expected" "$@")
        ((DIFFERENCE <= THRESHOLD)) && return 0
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

expected_menu menu 0 "$BANNER"
wait_reduced 10 "$EXPECTED" 0 0 640 480 || fail "the magnified menu scaled down is not the menu (difference $DIFFERENCE/1000)"
reduced_shot menu-factor2
MENU_FACTOR2=$SHOT
focus_window
xdotool mousemove --window "$WINDOW" 900 900
wait_pointer shown || fail "no pointer over the menu"

# New game at its magnified place, then level 1's button.
expected_menu chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
for attempt in 1 2 3; do
    click 230 354
    wait_reduced 2 "$EXPECTED" 300 0 50 150 && break
    ((attempt < 3)) || fail "a click on new game at its magnified place did nothing (difference $DIFFERENCE/1000)"
done
expected_background 1
for attempt in 1 2 3; do
    click 650 50
    wait_reduced 2 "${BACKGROUNDS[1]}" 0 70 640 100 && break
    ((attempt < 3)) || fail "a click on level 1 at its magnified place did not start it (difference $DIFFERENCE/1000)"
done

wait_pointer hidden || fail "the pointer shows during a game"

# P: the clocks stand still for two seconds and the picture is over the field.
PAUSE=(170 210 300 130)
paused() {
    reduced_shot paused
    ((PAUSE_DIFFERENCE = $(difference "${BACKGROUNDS[1]}" "${PAUSE[@]}"), PAUSE_DIFFERENCE > 150))
}
# The whole field drawn first (a screenshot can catch the menu's last
# picture half replaced), so only the pause picture can cover its middle.
THRESHOLD=40 wait_reduced 10 "${BACKGROUNDS[1]}" "${PAUSE[@]}" || fail "the field never showed whole (difference $DIFFERENCE/1000)"
hold_key p wait_until 10 paused || fail "P did not show the pause picture (difference $PAUSE_DIFFERENCE/1000 to the field)"
# The panel's clocks in the last screenshot, kept as clocks<n>.png; and the
# pixels that differ between two of them.
clocks() { convert "$SHOT" -crop 230x30+400+15 +repage "$ARTIFACTS/$TEST_NAME-clocks$1.png"; }
clocks_changed() {
    compare -metric AE "$ARTIFACTS/$TEST_NAME-clocks$1.png" "$ARTIFACTS/$TEST_NAME-clocks$2.png" null: 2>&1 || true
}
clocks 1
sleep 2  # watched for two seconds: a paused clock never moves, however slow the machine
reduced_shot paused2
clocks 2
still=$(clocks_changed 1 2)
[[ "$still" == 0 ]] || fail "the clocks moved while paused ($still pixels changed in two seconds)"

# P again: the game goes on and the picture leaves no trace.
uncovered() {
    reduced_shot running
    ((DIFFERENCE = $(difference "${BACKGROUNDS[1]}" "${PAUSE[@]}"), DIFFERENCE <= 40))
}
hold_key p wait_until 10 uncovered || fail "after P again the pause picture stayed (difference $DIFFERENCE/1000 to the field)"
clocks 3
clocks_run() {
    reduced_shot running2
    clocks 4
    [[ $(clocks_changed 3 4) != 0 ]]
}
wait_until 10 clocks_run || fail "the clocks stand still after resuming"

# Another window taking the keyboard's focus pauses the game too.
xmessage -geometry +1300+1000 "another window" &
OTHER_PID=$!
other=$(timeout 10 xdotool search --sync --class Xmessage | head -1)
timeout 5 xdotool windowfocus --sync "$other" || true
wait_until 5 paused || fail "losing the focus did not pause the game (difference $PAUSE_DIFFERENCE/1000 to the field)"
kill "$OTHER_PID"

# Escape ends the paused game on its summary, which takes the pause
# picture's place; Escape closes that.
PAUSED_SHOT="$ARTIFACTS/$TEST_NAME-focus-paused.png"
cp "$SHOT" "$PAUSED_SHOT"
summary_over_pause() {
    reduced_shot summary
    ((DIFFERENCE = $(difference "$PAUSED_SHOT" "${PAUSE[@]}"), DIFFERENCE > THRESHOLD))
}
hold_key Escape wait_until 10 summary_over_pause || fail "Escape did not end the paused game on its summary"
expected_menu menu 0 "$BANNER"
hold_key Escape wait_reduced 10 "$EXPECTED" 0 0 640 480 ||
    fail "Escape did not bring the menu back (difference $DIFFERENCE/1000)"
wait_pointer shown || fail "the pointer did not come back with the menu"
kill -TERM "$GAME_PID"
wait_exit 10
((STATUS == 0)) || fail "the program ended with status $STATUS"

# --scale 1 on the same large screen: the plain 640x480 window.
GAME_OPTIONS="--scale 1" start_game
wait_window
wait_until 10 window_size_is "640 x 480" || fail "--scale 1 gave a window of $SIZE"
wait_menu 10 || fail "the menu at --scale 1 is not the menu (difference $DIFFERENCE/1000)"
shot menu-factor1
pixels=$(compare -metric AE "$SHOT" "$MENU_FACTOR2" null: 2>&1 || true)
[[ "$pixels" == 0 ]] || fail "the factor-2 menu scaled down differs from the factor-1 menu in $pixels pixels"
exit_by_button

echo "PASS: command line, title and class, the pointer, 1280x960 on 1600x1200 scaling back to the picture, magnified clicks, pause and resume, pause on focus loss, --scale 1"
