#!/usr/bin/env bash
# A game left alone ends by itself: in a level where nothing can touch
# anything there is no bonus and no penalty, so the 20-second countdown runs
# out after 591 frames (at 30 ms and more a frame, 18 seconds or more), the
# summary says the time is up and shows 00:20 at ranking place 1 without a
# key pressed, the result, 0 minutes 20 seconds, is already in rank.txt, and
# after Escape the menu's ranking panel shows it.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
level_without_contact
open_menu

# Timed from before the level is chosen: however long the level takes to be
# seen on a busy machine, the game's whole length is inside the time.
start=$(date +%s%N)
choose_level 1
wait_for_summary 90 time_up 0 20 1 || fail "the game did not end on its summary within 90 s (difference $DIFFERENCE/1000)"
duration=$((($(date +%s%N) - start) / 1000000))
((duration >= 15000)) || fail "the game ended after $duration ms, well before 591 frames of about 30 ms"

[[ -f "$RANK_TXT" ]] || fail "no rank.txt after the game"
mapfile -t RANK <"$RANK_TXT"
((${#RANK[@]} == 10)) || fail "rank.txt holds ${#RANK[@]} lines, not ten: $(rank_on_one_line)"
for k in $(seq 0 8); do
    [[ "${RANK[k]}" == "0 0" ]] || fail "rank.txt line $((k + 1)) is '${RANK[k]}', not '0 0': $(rank_on_one_line)"
done
[[ "${RANK[9]}" == "0 20" ]] || fail "the game's result is '${RANK[9]}', not '0 20' (20 seconds, no bonus, no penalty)"

close_summary
open_ranking
check_ranking

exit_by_button
echo "PASS: the countdown ended the game after $duration ms on its summary; result 0 20 in rank.txt and on the ranking panel"
