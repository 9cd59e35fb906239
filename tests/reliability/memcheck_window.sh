#!/usr/bin/env bash
# Start-up, a short game of level 1 and the exit button under valgrind's
# memcheck, in a real window with the shipped data: no memory error and no
# leak from our code. Allegro's and the X libraries' own allocations that
# live until exit are suppressed in tests/valgrind/allegro.supp.
# Not in ctest: how the slowed-down program takes X input varies with the
# machine's load (about one run in three misses its clicks). By hand, from build/:
#   LUMO_BIN=$PWD/lumo LUMO_SOURCE_DIR=$PWD/.. bash ../tests/reliability/memcheck_window.sh
# The test command runs the same game code under memcheck headless instead.
source "$(dirname "$0")/../e2e/lib.sh"
command -v valgrind >/dev/null || fail "valgrind is not installed (scripts/setup.sh --tests)"

start_x
use_game_data
LOG="$ARTIFACTS/$TEST_NAME-valgrind.log"
(cd "$WORK" && exec valgrind --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,possible \
    --errors-for-leak-kinds=definite,possible --num-callers=30 \
    --suppressions="$LUMO_SOURCE_DIR/tests/valgrind/allegro.supp" --gen-suppressions=all \
    --log-file="$LOG" "$LUMO_BIN" >"$WORK/.output" 2>&1) &
GAME_PID=$!

# Everything is many times slower under valgrind, by how much depends on the
# machine. A click is held long enough for a slow frame to see it, and the
# screen is looked at only after the release and seldom (screenshots hold
# the slowed program up). The new game button toggles its panel every five frames while
# held, so its clicks try several lengths until one opens the chooser.
SHOT_INTERVAL=2
press_for() {
    xdotool mousemove --window "$WINDOW" "$1" "$2"
    sleep 1
    xdotool mousedown 1
    sleep "$3"
    xdotool mouseup 1
    sleep 1
}
WINDOW=""
for _ in $(seq 600); do
    WINDOW=$(xdotool search --name '^[Ll]umo$' 2>/dev/null | head -1 || true)
    [[ -n "$WINDOW" ]] && break
    sleep 0.1
done
[[ -n "$WINDOW" ]] || fail "no window under valgrind; see $LOG"
wait_menu 120 || fail "the menu did not show under valgrind (difference $DIFFERENCE/1000)"

# The first time the pointer enters the window takes long under valgrind:
# let it settle over the window before the first click.
xdotool mousemove --window "$WINDOW" 100 270
sleep 3

expected_menu chooser 0 "${CHOOSER[@]}" "$BANNER" "$M/escolhaFeliz.png 350 0"
for seconds in 0.4 0.2 0.7 0.3 1; do
    press_for 115 177 "$seconds"
    wait_similar 10 "$EXPECTED" 300 0 50 150 && break
done
((DIFFERENCE <= THRESHOLD)) || fail "new game did not open the level chooser (difference $DIFFERENCE/1000)"

playing=false
for _ in 1 2 3; do
    press_for 325 25 0.5
    for _ in $(seq 20); do
        shot level1
        on_level_background 1 && playing=true && break 2
        sleep "$SHOT_INTERVAL"
    done
done
$playing || fail "level 1 did not start under valgrind (difference $DIFFERENCE/1000)"

hold_key Right sleep 1  # a second of steering
hold_key Escape wait_summary_card 180 || fail "Escape did not end the game on its summary (difference $DIFFERENCE/1000)"
hold_key Escape wait_menu 180 || fail "Escape did not bring the menu back (difference $DIFFERENCE/1000)"
[[ $(wc -l <"$WORK/rank.txt") -eq 10 ]] || fail "the game's result was not written to rank.txt"

# Valgrind ends with status 99 when it found an error or a leak; the log is
# kept in the artifacts folder.
for _ in 1 2 3; do
    press_for 560 427 0.5
    for _ in $(seq 100); do
        kill -0 "$GAME_PID" 2>/dev/null || break 2
        sleep 0.2
    done
done
wait_exit 5
((STATUS == 0)) || fail "the program ended with status $STATUS under valgrind; see $LOG"
grep -E "ERROR SUMMARY|definitely lost|possibly lost" "$LOG" || true
echo "PASS: start-up, a game and exit under memcheck with no error and no leak"
