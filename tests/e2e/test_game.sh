#!/usr/bin/env bash
# Games on the shipped levels: each level chosen in the menu starts on its own
# background; Escape ends the game and brings the menu back; every result is
# kept in "rank.txt" (ten lines) and drawn on the ranking panel.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
open_menu

for n in 1 2 3; do
    choose_level "$n"
    # Past its count-in, however long that takes on a busy machine.
    wait_past_one_second 30 || fail "the game of level $n did not run past 0:01"
    sleep $((n + 1))  # each game lasts a little longer than the one before
    end_with_escape
    [[ -f "$RANK_TXT" ]] || fail "no rank.txt after the game of level $n"
    lines=$(wc -l <"$RANK_TXT")
    ((lines == 10)) || fail "rank.txt holds $lines lines after level $n, not ten: $(rank_on_one_line)"
done

# Three results, lowest first, after seven empty rows; each game's elapsed
# clock ran past 0:01, then about 2, 3 and 4 seconds more, or fewer game
# seconds where a busy machine slows the frames down.
mapfile -t RANK <"$RANK_TXT"
for k in $(seq 0 6); do
    [[ "${RANK[k]}" == "0 0" ]] || fail "rank.txt line $((k + 1)) is '${RANK[k]}', not '0 0': $(rank_on_one_line)"
done
previous=0
for k in 7 8 9; do
    read -r m s <<<"${RANK[k]}"
    ((m == 0 && s >= 2 && s <= 15 && s >= previous)) ||
        fail "rank.txt line $((k + 1)) is '${RANK[k]}', not a result of a few seconds in order: $(rank_on_one_line)"
    previous=$s
done

open_ranking
check_ranking

exit_by_button
echo "PASS: levels 1, 2 and 3 on their backgrounds, Escape back to the menu, three results in rank.txt and on the ranking panel"
