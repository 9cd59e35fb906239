#!/usr/bin/env bash
# Start-up in a real window: the menu, a game of level 1 ended with Escape,
# a missing level file, the exit button, and a missing image reported by name
# with a failing exit status.
source "$(dirname "$0")/lib.sh"

start_x
use_test_images
# A small level of our own: the player, the item, four enemies, four walls.
cat >"$WORK/01.txt" <<'LEVEL'
300 240 5 0 18 0   100 100 0 0 18 0   500 400 0 0 14 0
80 420 2 0 18 5    560 120 2 90 18 0  560 420 2 180 18 5
10 75 20 80  10 470 20 475  620 75 630 80  620 470 630 475
LEVEL

# Test images are flat colours: slot s is rgb(40 + s%5*50, 40 + s/5%5*50, 40 + s/25*50).
# Screenshots until the pixel shows the colour, or the seconds run out.
wait_pixel() {
    local x=$1 y=$2 colour=$3 deadline=$((SECONDS + $4))
    while :; do
        shot "$5"
        pixel_near "$x" "$y" "$colour" >/dev/null && return 0
        ((SECONDS < deadline)) || return 1
        sleep "$SHOT_INTERVAL"
    done
}
# New game, then the level button at y.
open_level() {
    open_chooser
    click 325 "$1"
}
# New game opens the chooser; clicked again only if no frame saw the click
# for a long while.
open_chooser() {
    for _ in 1 2 3; do
        click 100 170
        wait_pixel 301 1 "40 190 90" 10 chooser && return 0
    done
    fail "new game did not open the level chooser (saw $(pixel 301 1))"
}

start_game
wait_window
wait_pixel 5 145 "90 40 40" 30 menu || fail "no new game button at (0, 140): saw $(pixel 5 145)"
pixel_near 485 395 "40 90 40" >/dev/null || fail "no exit button at (480, 390): saw $(pixel 485 395)"

open_level 25
wait_pixel 20 300 "40 40 90" 30 game || fail "level 1 did not start (saw $(pixel 20 300))"

# Escape ends the game on its summary (slot 16, the card, at (160, 135)),
# the ranking already written; Escape again goes on to the menu.
hold_key Escape wait_pixel 161 136 "90 190 40" 30 summary || fail "Escape did not show the summary: saw $(pixel 161 136)"
[[ $(wc -l <"$WORK/rank.txt") -eq 10 ]] || fail "rank.txt does not hold ten lines"
hold_key Escape wait_pixel 5 145 "90 40 40" 30 menu-again || fail "Escape did not bring the menu back: saw $(pixel 5 145)"

# A level file that cannot be read: a message names it and the menu stays.
open_level 75   # level 2 has no file here
read_message
[[ "$MESSAGE" == "$WORK/02.txt not found"* ]] || fail "level message was '$MESSAGE'"
# The program goes on: the menu still opens the chooser.
open_chooser

exit_by_button

rm "$WORK/Data/Imagens/numeros/05v.png"
start_game
read_message
[[ "$MESSAGE" == "$WORK/Data/Imagens/numeros/05v.png not found"$'\n'"run lumo from the folder that holds Data/, or use the installed lumo" ]] ||
    fail "message was '$MESSAGE'"
wait_exit 10
[[ $STATUS -ne 0 ]] || fail "a missing image ended the program with status 0"
# No display at all: a message and a failing status, not a crash.
set +e
(cd "$WORK" && DISPLAY= "$LUMO_BIN" >"$WORK/.no-display" 2>&1)
STATUS=$?
set -e
((STATUS == 1)) || fail "without a display the program ended with status $STATUS, not 1"
grep -q "Unable to start Allegro" "$WORK/.no-display" || fail "no message without a display"
# A display named where no server answers: tried again for a while, then the
# same message and status.
set +e
(cd "$WORK" && DISPLAY=:65000 "$LUMO_BIN" >"$WORK/.no-display" 2>&1)
STATUS=$?
set -e
((STATUS == 1)) || fail "with no server at the display named the program ended with status $STATUS, not 1"
grep -q "Unable to start Allegro" "$WORK/.no-display" || fail "no message with no server at the display named"

echo "PASS: menu, game, Escape, missing level, exit, missing image, no display"
