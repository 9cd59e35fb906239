#!/usr/bin/env bash
# Fullscreen: Alt+Enter switches to the whole screen with the picture
# magnified and centred on black, clicks on the picture work and clicks on
# the border do nothing; the choice is kept in lumo.cfg (its other settings
# untouched); Alt+Enter again brings the window back. --fullscreen starts in
# it without saving anything, and leaving it gives the usual window. On a
# 1280x720 screen the window and fullscreen are magnified by fractions.
source "$(dirname "$0")/lib.sh"

XVFB_SCREEN=1600x1200x24 start_x
use_game_data
printf '[sound]\nmute = 1\n' >"$WORK/lumo.cfg"

alt_enter() {
    focus_window
    xdotool keydown alt keydown Return
    sleep 0.15
    xdotool keyup Return keyup alt
}
SCREEN=1600x1200
PICTURE=1280x960+160+120  # where the magnified picture lies on the screen
LEFT=160                  # the border's width left of it
# Whether a window covers the whole screen.
fills_screen() { xwininfo -root -tree | grep -q " $SCREEN+0+0 "; }
# Back to 640x480, each picture pixel from the first window pixel it covers,
# floor(x k), which any factor, whole or not, gives exactly. ImageMagick
# samples at ceil((x + offset) k) - 1: a tiny offset (0.01%) lands on floor(x k).
reduce() { convert "$1" "${@:2}" +repage -define sample:offset=0.01 -sample 640x480 "$1"; }
# The whole screen, the picture's part of it brought back to 640x480, and
# the brightest value of the border left of it.
screen_shot() {
    SHOT="$ARTIFACTS/$TEST_NAME-$1.png"
    import -window root "$SHOT"
    BORDER=$(convert "$SHOT" -crop "${LEFT}x${SCREEN#*x}+0+0" +repage -format '%[fx:round(1000*maxima)]' info:)
    reduce "$SHOT" -crop "$PICTURE"
}
wait_on_screen() {
    local expected=$1 deadline=$((SECONDS + 5))
    shift
    while :; do
        screen_shot "$SHOT_NAME"
        DIFFERENCE=$(difference "$expected" "$@")
        ((DIFFERENCE <= THRESHOLD)) && return 0
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Alt+Enter, up to three times, until the condition holds.
alt_enter_until() {
    local attempt
    for attempt in 1 2 3; do
        alt_enter
        wait_until 5 "$@" && return 0
    done
    return 1
}

# Alt+Enter until the game leaves fullscreen; the window it gets is the one
# this screen gets by default.
leave_fullscreen() {
    alt_enter_until eval '! fills_screen' || fail "Alt+Enter did not leave $1"
    wait_until 10 window_size_is "1280 x 960" || fail "leaving $1 gave a window of $SIZE"
}

start_game
wait_window
expected_menu menu 0 "$BANNER"
menu_in_window() {
    shot window
    reduce "$SHOT"
    DIFFERENCE=$(difference "$EXPECTED" 0 0 640 480)
    ((DIFFERENCE <= THRESHOLD))
}
wait_until 5 menu_in_window || fail "the menu did not show (difference $DIFFERENCE/1000)"
alt_enter_until fills_screen || fail "Alt+Enter did not go fullscreen"
expected_menu menu 0 "$BANNER"
SHOT_NAME=fullscreen wait_on_screen "$EXPECTED" 0 0 640 480 ||
    fail "fullscreen does not show the whole menu magnified (difference $DIFFERENCE/1000)"
((BORDER == 0)) || fail "the border left of the picture is not black"
wait_until 5 settings_hold "fullscreen = 1" || fail "lumo.cfg does not keep fullscreen: $(cat "$WORK/lumo.cfg")"
settings_hold "mute = 1" || fail "lumo.cfg lost [sound] mute: $(cat "$WORK/lumo.cfg")"

# A click on the black border does nothing: had it reached new game, as a
# mapping that forgot the border would, the click on new game that follows
# would close the chooser again.
xdotool mousemove 100 354 mousedown 1
sleep 0.15
xdotool mouseup 1
expected_menu chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
for attempt in 1 2 3; do
    xdotool mousemove 390 474 mousedown 1
    sleep 0.1
    xdotool mouseup 1
    SHOT_NAME=chooser wait_on_screen "$EXPECTED" 300 0 50 150 && break
    ((attempt < 3)) || fail "a click on new game in fullscreen did nothing (difference $DIFFERENCE/1000)"
done

leave_fullscreen fullscreen
wait_until 5 settings_hold "fullscreen = 0" || fail "lumo.cfg still says fullscreen: $(cat "$WORK/lumo.cfg")"
kill -TERM "$GAME_PID"
wait_exit 10

# --fullscreen starts in it and saves nothing.
cp "$WORK/lumo.cfg" "$WORK/lumo.before"
GAME_OPTIONS=--fullscreen start_game
wait_until 5 fills_screen || fail "--fullscreen did not start in fullscreen"
expected_menu menu 0 "$BANNER"
SHOT_NAME=start wait_on_screen "$EXPECTED" 0 0 640 480 || fail "--fullscreen does not show the menu (difference $DIFFERENCE/1000)"
kill -TERM "$GAME_PID"
wait_exit 10
((STATUS == 0)) || fail "status $STATUS after SIGTERM in fullscreen"
cmp -s "$WORK/lumo.cfg" "$WORK/lumo.before" || fail "--fullscreen changed lumo.cfg"

# Leaving a fullscreen start gives the window this screen gets by default.
GAME_OPTIONS=--fullscreen start_game
wait_until 5 fills_screen || fail "--fullscreen did not start in fullscreen"
wait_window
leave_fullscreen "a fullscreen start"
kill -TERM "$GAME_PID"
wait_exit 10

# 1280x720: factor 1 would leave a third of the height black, so the window
# is 864x648 (27/20, within 90% of the height) and fullscreen 960x720 (3/2).
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_SCREEN=1280x720x24 start_x
SCREEN=1280x720 PICTURE=960x720+160+0 LEFT=160
expected_menu menu 0 "$BANNER"
start_game
wait_window
wait_until 10 window_size_is "864 x 648" || fail "the window on 1280x720 is $SIZE, not 864 x 648"
wait_until 5 menu_in_window || fail "the 864x648 window scaled down is not the menu (difference $DIFFERENCE/1000)"
alt_enter_until fills_screen || fail "Alt+Enter did not go fullscreen on 1280x720"
SHOT_NAME=fullscreen-720 wait_on_screen "$EXPECTED" 0 0 640 480 ||
    fail "fullscreen on 1280x720 scaled down is not the menu (difference $DIFFERENCE/1000)"
((BORDER == 0)) || fail "the border left of the 960x720 picture is not black"
# New game's button, picture (100, 177), lies at 160 + 150, 265 on the screen.
expected_menu chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
for attempt in 1 2 3; do
    xdotool mousemove 310 265 mousedown 1
    sleep 0.1
    xdotool mouseup 1
    SHOT_NAME=chooser-720 wait_on_screen "$EXPECTED" 300 0 50 150 && break
    ((attempt < 3)) || fail "a click on new game at 3/2 did nothing (difference $DIFFERENCE/1000)"
done
kill -TERM "$GAME_PID"
wait_exit 10

echo "PASS: Alt+Enter to fullscreen and back, the picture centred on black, border clicks ignored, lumo.cfg kept whole, --fullscreen and leaving it, 1280x720 magnified by fractions"
