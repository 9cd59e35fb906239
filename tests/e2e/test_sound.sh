#!/usr/bin/env bash
# What the game plays, read back from ALSA's default device routed into a
# file (16-bit mono at 22050 Hz, through a scratch HOME's .asoundrc): the menu
# and a game are not silent, M silences them and brings them back, meeting
# the item sounds well above the music; and with no sound device at all the
# game starts and plays without a word.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
SOUND_FILE="$WORK/sound.raw"
export HOME="$WORK/home"
mkdir -p "$HOME"
cat >"$HOME/.asoundrc" <<EOF
pcm.!default {
    type plug
    slave { pcm { type file; slave.pcm "null"; file "$SOUND_FILE"; format "raw" }; format S16_LE; channels 1; rate 22050 }
}
EOF

# ALSA's null device takes what it is given at once, so the file grows
# faster than the sound would play; what counts is what was mixed, in order.
sound_size() { stat -c %s "$SOUND_FILE" 2>/dev/null || echo 0; }
HALF_SECOND=22050  # bytes

# The RMS of the loudest 50 ms (1102 samples) in the file from the byte
# offset (to its end, or for the given bytes), on the 0..32768 scale.
loudest() {
    od -An -v -t d2 -w2 -j "$1" ${2:+-N "$2"} "$SOUND_FILE" |
        awk '{ s += $1 * $1; if (++n == 1102) { r = sqrt(s / n); if (r > m) m = r; s = 0; n = 0 } }
             END { printf "%d\n", m }'
}

# The loudest 50 ms of the next half second of sound.
sound_now() {
    local from ends=$((SECONDS + 10))
    from=$(sound_size)
    while (($(sound_size) < from + HALF_SECOND)); do
        ((SECONDS < ends)) || fail "no sound was written for 10 s (file at $(sound_size) bytes)"
        sleep 0.05
    done
    loudest "$from" "$HALF_SECOND"
}

# Waits up to the seconds given for the sound to be loud (above the level)
# or silent (at most 2, the dither of conversion); SEEN keeps the last level.
wait_for_sound() {
    local how=$1 level=$2 ends=$((SECONDS + $3))
    while :; do
        SEEN=$(sound_now)
        if [[ $how == loud ]]; then ((SEEN > level)) && return 0; else ((SEEN <= 2)) && return 0; fi
        ((SECONDS < ends)) || return 1
    done
}

# Holds M until the sound goes the expected way.
press_m() {
    hold_key m wait_for_sound "$1" "$2" 10
}

kill_game() {
    kill -KILL "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
}

# --- the menu: its theme plays; M silences it and brings it back, kept in lumo.cfg
open_menu
wait_for_sound loud 100 5 || fail "the menu is silent (loudest 50 ms: $SEEN)"
press_m silent 0 || fail "M did not silence the menu (loudest 50 ms: $SEEN)"
grep -qx "mute = 1" "$WORK/lumo.cfg" || fail "lumo.cfg does not keep the mute: $(cat "$WORK/lumo.cfg" 2>/dev/null)"
press_m loud 100 || fail "a second M did not bring the menu's music back (loudest 50 ms: $SEEN)"
grep -qx "mute = 0" "$WORK/lumo.cfg" || fail "lumo.cfg still says muted: $(cat "$WORK/lumo.cfg")"

# --- a game where nothing meets anything: the music alone (two seconds of
# it, before the first enemy comes in at five), then M silences it
level_without_contact
choose_level 1
MUSIC=0
for _ in 1 2 3 4; do
    v=$(sound_now)
    ((v > MUSIC)) && MUSIC=$v
done
((MUSIC > 100)) || fail "the game is silent (loudest 50 ms of its music: $MUSIC)"
press_m silent 0 || fail "M did not silence the game (loudest 50 ms: $SEEN)"
press_m loud 100 || fail "M did not bring the game's music back (loudest 50 ms: $SEEN)"
kill_game

# --- the player meets the item about three seconds into the game: the
# pickup rings above the music (the effects are made some 10 dB louder).
# Only what was mixed from a second and a half after the level's click on
# counts, so the click's own sound stays out.
cat >"$WORK/01.txt" <<'LEVEL'
100 240 5 0 10 5
565 240 0 0 10 5
40 420 0 0 0 5   120 420 0 0 0 5   200 420 0 0 0 5   280 420 0 0 0 5
0 0 10 10   20 0 30 10   40 0 50 10   60 0 70 10
LEVEL
open_menu
expected_menu chooser 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
click_until 115 177 "$EXPECTED" 300 0 50 150 || fail "new game did not open the level chooser (difference $DIFFERENCE/1000)"
from=$(sound_size)
started=""
for _ in 1 2 3; do
    click 325 25
    for _ in $(seq 20); do
        shot level1
        on_level_background 1 && { started=1; break 2; }
        sleep 0.1
    done
done
[[ -n $started ]] || fail "level 1 did not start (difference $DIFFERENCE/1000)"
from=$((from + 3 * HALF_SECOND))
ends=$((SECONDS + 8))
SEEN=0
while ((SEEN <= 2 * MUSIC)); do
    ((SECONDS < ends)) || fail "no pickup heard: loudest 50 ms $SEEN, the music alone reaches $MUSIC"
    sleep 0.2
    (($(sound_size) > from)) && SEEN=$(loudest "$from")
done
kill_game

# --- no sound device: a card that does not exist is ALSA's default
cat >"$HOME/.asoundrc" <<'EOF'
pcm.!default { type hw; card 31 }
EOF
rm -f "$SOUND_FILE"
level_without_contact
open_menu
choose_level 1
end_with_escape
exit_by_button
[[ ! -s "$WORK/.output" ]] || fail "without a sound device the game said: $(cat "$WORK/.output")"
for p in $(pgrep -x xmessage || true); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && fail "without a sound device a message box opened"
done
[[ ! -e "$SOUND_FILE" ]] || fail "sound was written with no device"
echo "ok: menu and game sound, M silences and restores them, the pickup rings above the music ($SEEN > 2 x $MUSIC), and no device means silence without a word"
