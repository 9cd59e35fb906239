#!/usr/bin/env bash
# What the game plays, read back from ALSA's default device routed into a
# file (16-bit mono at 22050 Hz, through a scratch HOME's .asoundrc): the menu
# and a game are not silent, M silences them (the game lets the device go
# while muted) and brings them back (the device opened again), the music
# comes out at its level and the game's effects ring well above it; and with
# no sound device at all the game starts and plays without a word.
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

# The RMS of the bytes given from the byte offset, on the 0..32768 scale.
rms_of() {
    od -An -v -t d2 -w2 -j "$1" -N "$2" "$SOUND_FILE" | awk '{ s += $1 * $1; n++ } END { printf "%d\n", sqrt(s / n) }'
}

sound_written() { (($(sound_size) >= $1)); }

# Waits up to the seconds given for the sound to be loud (above the level)
# or silent (at most 2, the dither of conversion); SEEN keeps the last level.
wait_for_sound() {
    local level=$1 ends=$((SECONDS + $2))
    while :; do
        SEEN=$(sound_now)
        ((SEEN > level)) && return 0
        ((SECONDS < ends)) || return 1
    done
}

# Muted, the game lets the sound device go and nothing more is written. The
# mixer writes many times faster than the sound plays, so half a second
# without a byte is no gap between two of its writes.
device_let_go() {
    local before
    before=$(sound_size)
    sleep 0.5
    (($(sound_size) == before))
}

# Holds M until the sound is back, or until the device is let go; the file
# then goes too, and the device opened again starts a new one.
press_m_loud() { hold_key m wait_for_sound 100 10; }
press_m_silent() { hold_key m wait_until 10 device_let_go && rm -f "$SOUND_FILE"; }

kill_game() {
    kill -KILL "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
}

# Level 1 as the last part plays it: the player meets the item about three
# seconds in.
cat >"$WORK/01.txt" <<'LEVEL'
100 240 5 0 10 5
565 240 0 0 10 5
40 420 0 0 0 5   120 420 0 0 0 5   200 420 0 0 0 5   280 420 0 0 0 5
0 0 10 10   20 0 30 10   40 0 50 10   60 0 70 10
LEVEL

# --- the menu: its theme plays; M silences it and brings it back, kept in lumo.cfg
open_menu
wait_for_sound 100 5 || fail "the menu is silent (loudest 50 ms: $SEEN)"
press_m_silent || fail "M did not silence the menu: the file still grows ($(sound_size) bytes)"
wait_until 5 settings_hold "mute = 1" || fail "lumo.cfg does not keep the mute: $(cat "$WORK/lumo.cfg" 2>/dev/null)"
press_m_loud || fail "a second M did not bring the menu's music back (loudest 50 ms: $SEEN)"
wait_until 5 settings_hold "mute = 0" || fail "lumo.cfg still says muted: $(cat "$WORK/lumo.cfg")"

# The menu's theme alone, one whole loop of it with nothing clicked, as the
# mixer gives it out: made at -23 dBFS RMS, it must not come out under -24
# (2064), as it would at Allegro's default of half a voice. The game's theme
# is made at the same level.
from=$(sound_size)
MENU_LOOP=729990  # bytes: 16.55 s
wait_until 60 sound_written $((from + MENU_LOOP)) || fail "a loop of the menu's theme was not written in 60 s"
MUSIC=$(rms_of "$from" "$MENU_LOOP")
((MUSIC >= 2064)) || fail "the menu's music comes out at RMS $MUSIC, under -24 dBFS (2064)"

# --- a game: not silent; M silences it and brings it back; its effects
# ring 8 dB above the music's RMS (they are made 8 to 10 dB louder; the
# music's own loudest 50 ms come to 6 or 7 dB over it): the item met
# about three seconds in, the Coconut coming in at five, and more after.
# The file is written as fast as the mixer gets the processor, not in step
# with the clock, so a place in it says nothing of when: the menu's click
# is shut out by order instead. M silences the game once it shows, after
# the click; only what was mixed after that silence and a second M counts.
choose_level 1
wait_for_sound 100 5 || fail "the game is silent (loudest 50 ms: $SEEN)"
press_m_silent || fail "M did not silence the game: the file still grows ($(sound_size) bytes)"
from=$(sound_size)
press_m_loud || fail "M did not bring the game's sound back (loudest 50 ms: $SEEN)"
ends=$((SECONDS + 60))
SEEN=0
while ((SEEN <= 5 * MUSIC / 2)); do
    ((SECONDS < ends)) || fail "no effect heard 8 dB above the music in 60 s: loudest 50 ms $SEEN, the music's RMS $MUSIC"
    sleep 0.2
    SEEN=$(loudest "$from")
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
echo "ok: menu and game sound, M silences and restores them, the music at RMS $MUSIC and the game's effects 8 dB above it ($SEEN > 2.5 x $MUSIC), and no device means silence without a word"
