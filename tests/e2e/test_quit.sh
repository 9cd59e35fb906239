#!/usr/bin/env bash
# Ending the program the desktop's ways: the window's close button in the
# menu and during a game, SIGTERM, SIGINT and SIGHUP during a game, and the
# X server going away. A game under way ends as Escape ends it, its result
# kept in rank.txt; the program ends with status 0 and prints nothing.
source "$(dirname "$0")/lib.sh"
: "${LUMO_CLOSE_WINDOW:?}"

start_x
use_game_data

# Results in rank.txt (rows other than the empty 0 0).
results() {
    [[ -f "$RANK_TXT" ]] || { echo 0; return; }
    grep -cv '^0 0$' "$RANK_TXT" || true
}

# Waits for the end asked for by "$@" and checks it was a quiet one.
ends_quietly() {
    local how=$1
    wait_exit 10
    ((STATUS == 0)) || fail "$how: status $STATUS, not 0; program said: $(cat "$WORK/.output")"
    [[ ! -s "$WORK/.output" ]] || fail "$how: the program printed: $(cat "$WORK/.output")"
}

close_window() { "$LUMO_CLOSE_WINDOW" "$WINDOW" || fail "could not send the close message"; }

open_menu
close_window
ends_quietly "close button in the menu"
RESULTS=$(results)
((RESULTS == 0)) || fail "the menu's close left results in rank.txt: $(rank_on_one_line)"

# During a game each way ends it with its result counted.
for how in close TERM INT HUP; do
    open_menu
    choose_level 1
    if [[ $how == close ]]; then close_window; else kill -s "$how" "$GAME_PID"; fi
    ends_quietly "$how during a game"
    after=$(results)
    ((after == RESULTS + 1)) || fail "$how during a game: rank.txt holds $after results, not $((RESULTS + 1)): $(rank_on_one_line)"
    RESULTS=$after
done

# The X server goes away during a game: the program ends soon, never hangs,
# and rank.txt is a whole table, the old one or a new one.
cp "$RANK_TXT" "$WORK/rank.before"
open_menu
choose_level 2
kill -KILL "$XVFB_PID"
XVFB_PID=""
wait_exit 5
((STATUS == 0)) || fail "the X server's end left status $STATUS; program said: $(cat "$WORK/.output")"
lines=$(grep -cE '^[0-9]+ [0-9]+$' "$RANK_TXT")
((lines == 10)) && [[ $(wc -l <"$RANK_TXT") -eq 10 ]] || fail "rank.txt damaged after the X server ended: $(rank_on_one_line)"

echo "PASS: close button in the menu and in a game, SIGTERM, SIGINT, SIGHUP, the X server gone"
