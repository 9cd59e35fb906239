#!/usr/bin/env bash
# Takes the README's pictures from the real game under a private Xvfb:
# the menu, each level six seconds into a game, the level chooser with the
# bests those games set, and the summary of a game, into docs/images/.
# Needs a built build/lumo and the window-test tools (scripts/setup.sh --tests).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export LUMO_BIN="$ROOT/build/lumo" LUMO_SOURCE_DIR="$ROOT" LUMO_ARTIFACTS="$ROOT/build/artifacts"
[[ -x "$LUMO_BIN" ]] || { echo "build the game first: scripts/setup.sh --tests" >&2; exit 1; }
source "$ROOT/tests/e2e/lib.sh"
OUT="$ROOT/docs/images"
mkdir -p "$OUT"

start_x
use_game_data
start_game
wait_window
wait_menu 5 || fail "the menu did not show"
xdotool mousemove --window "$WINDOW" 115 370  # the pointer beside help
sleep 0.5
import -window "$WINDOW" "$OUT/menu.png"

# Five seconds in: the Coco has come in and the face, left alone, has met a
# wall or two but is still smiling. A game that a Coco's jump cut short is
# played again.
for n in 1 2 3; do
    for attempt in 1 2 3; do
        choose_level "$n"
        sleep 5
        shot level$n
        cp "$SHOT" "$OUT/level$n.png"
        if on_level_background "$n"; then
            attempt=ok
            end_with_escape
        else
            hold_key Escape wait_menu 30 || fail "the summary of a game cut short did not give way to the menu"
        fi
        [[ $attempt == ok ]] && break
    done
    [[ $attempt == ok ]] || fail "three games of level $n ended before their picture"
done
# The chooser with each level's name and best, then a game of level 1 that
# ends on its summary.
chooser_parts
expected_menu chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
click_until 115 177 "$EXPECTED" 0 0 640 480 || fail "the chooser did not show its levels' bests"
import -window "$WINDOW" "$OUT/chooser.png"
for _ in 1 2 3; do
    click 325 25
    wait_level 1 10 && break
done
sleep 9  # longer than the games above: a new best on the level
hold_key Escape wait_summary_card 30 || fail "the summary did not show"
import -window "$WINDOW" "$OUT/summary.png"
hold_key Escape wait_menu 30 || fail "the summary did not give way to the menu"
exit_by_button
echo "written: $(cd "$OUT" && echo *.png)"
