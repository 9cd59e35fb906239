#!/usr/bin/env bash
# Another process holding rank.txt's lock as a game ends: the summary shows
# at once and says "Saving...", tries again each frame, and after about 10 s
# says "Not saved", with the reason on stderr; Escape still takes it to the
# menu.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
open_menu

# A shell that takes the lock and becomes a sleep holding it.
(exec 9>"$WORK/rank.txt.lock" && flock 9 && exec sleep 600) &
HOLDER_PID=$!
trap 'kill "$HOLDER_PID" 2>/dev/null || true; cleanup' EXIT
lock_held() { ! flock -n "$WORK/rank.txt.lock" true; }
wait_until 10 lock_held || fail "the background process did not take rank.txt.lock"

choose_level 1
hold_key Escape wait_summary_card 10 || fail "Escape did not show the summary while the lock is held (difference $DIFFERENCE/1000)"
FATE=(180 259 280 36)
expected_screen saving "Imagens/Summary/card.png 160 135" "Imagens/Summary/saving.png 180 259"
wait_similar 5 "$EXPECTED" "${FATE[@]}" || fail "the card does not say \"Saving...\" (difference $DIFFERENCE/1000)"
expected_screen not-saved "Imagens/Summary/card.png 160 135" "Imagens/Summary/not_saved.png 180 259"
wait_similar 30 "$EXPECTED" "${FATE[@]}" || fail "the card never said \"Not saved\" (difference $DIFFERENCE/1000)"
grep -q "rank.txt is locked by another process" "$WORK/.output" ||
    fail "stderr does not say why it was not saved: $(cat "$WORK/.output")"
[[ ! -f "$RANK_TXT" ]] || fail "rank.txt was written while another process held its lock"

hold_key Escape wait_menu 30 || fail "Escape did not bring the menu back (difference $DIFFERENCE/1000)"
exit_by_button
echo "PASS: with rank.txt's lock held the summary showed at once, said Saving... then Not saved, and named the lock on stderr"
