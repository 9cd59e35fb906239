#!/usr/bin/env bash
# Missing files with the shipped pictures: a level file missing or cut short
# is named in a message and the menu stays, still working; an image missing
# is named in a message and the program ends with a failing status.
source "$(dirname "$0")/lib.sh"

HINT="run lumo from the folder that holds Data/, or use the installed lumo"

start_x
use_game_data
rm "$WORK/02.txt"
head -c 60 "$LUMO_SOURCE_DIR/03.txt" >"$WORK/03.txt"  # a few numbers only
SHORT_COUNT=$(wc -w <"$WORK/03.txt")
open_menu

for n in 2 3; do
    expected_menu chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
    click_until 115 177 "$EXPECTED" 300 0 50 150 || fail "new game did not open the level chooser (difference $DIFFERENCE/1000)"
    click 325 $((50 * n - 25))
    read_message
    # Only a missing file suggests the wrong folder; a short one says what it lacks.
    expected="$WORK/02.txt not found"$'\n'"$HINT"
    [[ $n == 3 ]] && expected="$WORK/03.txt is too short: $SHORT_COUNT numbers where level 3 needs 68"
    [[ "$MESSAGE" == "$expected" ]] || fail "the message for level $n was '$MESSAGE', not '$expected'"
    grep -qxF "lumo: ${expected//$'\n'/; }" "$WORK/.output" || fail "stderr did not say '$expected' on one line"
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended after the message for level $n"
    # The chooser closed, so a click still held cannot try the level again.
    wait_menu 30 || fail "after the message for level $n the menu is not back with the chooser closed (difference $DIFFERENCE/1000)"
done

# The menu still works: level 1 is there.
choose_level 1
end_with_escape
exit_by_button

# One picture missing or damaged: its name in the message, no window, a
# failing status, and the program never crashes or hangs on it.
damage() {
    local picture=$1 how=$2 file="$WORK/Data/$1"
    cp "$file" "$WORK/kept"
    case $how in
        missing) rm "$file" ;;
        empty) : >"$file" ;;
        cut) head -c "$(($(stat -c %s "$WORK/kept") / 2))" "$WORK/kept" >"$file" ;;
        swapped) cp "$LUMO_SOURCE_DIR/Data/Imagens/Personagens/smile.png" "$file" ;;  # PNG bytes in a .jpg
    esac
}
for fault in "Imagens/Niveis/03.jpg missing" "Imagens/Menu/LMBanner.png missing" \
            "Imagens/Personagens/coco.png empty" "Imagens/numeros/07v.png cut" \
            "B02.jpg swapped" "Imagens/Menu/ajuda02.jpg cut"; do
    read -r picture how <<<"$fault"
    damage "$picture" "$how"
    start_game
    read_message
    problem="is damaged"
    [[ $how == missing ]] && problem="not found"
    expected="$WORK/Data/$picture $problem"
    [[ $how == missing ]] && expected+=$'\n'"$HINT"
    [[ "$MESSAGE" == "$expected" ]] || fail "with $picture $how the message was '$MESSAGE', not '$expected'"
    grep -qxF "lumo: ${expected//$'\n'/; }" "$WORK/.output" || fail "with $picture $how stderr said: $(cat "$WORK/.output")"
    wait_exit 10
    ((STATUS != 0 && STATUS < 128)) || fail "with $picture $how the program ended with status $STATUS"
    mv "$WORK/kept" "$WORK/Data/$picture"
done

# Started from a folder without Data/, the program takes its pictures and
# levels from the folder above its own (a build folder in the source tree)
# and says nothing; the ranking stays in the folder it was started from.
mkdir -p "$WORK/tree/build" "$WORK/elsewhere"
mv "$WORK/Data" "$WORK/tree/"
cp "$LUMO_SOURCE_DIR"/0[123].txt "$WORK/tree/"
cp "$LUMO_BIN" "$WORK/tree/build/lumo"
(cd "$WORK/elsewhere" && exec "$WORK/tree/build/lumo" >"$WORK/.output" 2>&1) &
GAME_PID=$!
wait_window
wait_menu 30 || fail "started away from Data/, the menu did not show (difference $DIFFERENCE/1000)"
focus_window
choose_level 2
end_with_escape
exit_by_button
[[ -f "$WORK/elsewhere/rank.txt" && ! -e "$WORK/tree/rank.txt" ]] || fail "the ranking was not kept in the folder the game started from"
[[ ! -s "$WORK/.output" ]] || fail "started away from Data/, the program said: $(cat "$WORK/.output")"

echo "PASS: missing and short level files named, menu kept; missing or damaged pictures named, failing status; Data/ found above the program"
