#!/usr/bin/env bash
# The menu with the shipped pictures: its five buttons, the pointer beside the
# button under the mouse, every panel opened and closed again (level chooser;
# ranking, showing a rank file written out of order sorted; the four help
# pages in turn; credits), and the exit button. Then a second session played
# from the keyboard alone, the mouse never touched: a level chosen, played
# and ended, played again from its summary, the ranking and help opened,
# and Escape twice to quit.
# Every check compares the window with a screen composed from the same files.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
# A rank file out of order, with a time over a minute: the panel shows it sorted.
printf '%s\n' "0 0" "12 5" "0 0" "0 0" "1 23" "0 0" "0 0" "0 0" "0 59" "0 0" >"$RANK_TXT"
start_game
wait_window

NAMES=("new game" "ranking" "help" "credits" "exit")
CENTRES=("115 177" "115 277" "115 370" "115 440" "560 427")  # help wins where help and credits overlap

# Panel area and chooser, where every panel is drawn; the pointer squares
# at x 230 are inside it too.
PANEL=(200 0 440 400)

wait_menu 30 ||
    fail "the menu with its five buttons, the banner and the pointer at new game did not show (difference $DIFFERENCE/1000)"

# The pointer follows the marked button: at its place the pointer picture,
# at the four other places nothing.
for b in 0 1 2 3 4; do
    read -r x y <<<"${CENTRES[$b]}"
    xdotool mousemove --window "$WINDOW" "$x" "$y"
    expected_menu pointer_of-$b "$b" "$BANNER"
    for other in 0 1 2 3 4; do
        read -r px py <<<"${POINTERS[$other]}"
        wait_similar 30 "$EXPECTED" "$px" "$py" 50 50 && continue
        if ((other == b)); then
            fail "mouse on ${NAMES[$b]}: no pointer picture at ($px, $py) (difference $DIFFERENCE/1000)"
        else
            fail "mouse on ${NAMES[$b]}: ($px, $py), beside ${NAMES[$other]}, is not empty (difference $DIFFERENCE/1000)"
        fi
    done
done

# Opens a panel with a click on button b, then closes it with a second click.
open_and_close() {
    local b=$1 name=$2 x y
    shift 2
    read -r x y <<<"${CENTRES[$b]}"
    expected_menu "$name" "$b" "$@"
    click_until "$x" "$y" "$EXPECTED" "${PANEL[@]}" ||
        fail "a click on ${NAMES[$b]} did not open the $name panel (difference $DIFFERENCE/1000)"
    expected_menu "$name-closed" "$b" "$BANNER"
    click_until "$x" "$y" "$EXPECTED" "${PANEL[@]}" ||
        fail "a second click on ${NAMES[$b]} did not close the $name panel (difference $DIFFERENCE/1000)"
}

open_and_close 0 chooser "${CHOOSER[@]}"
open_ranking
check_ranking
expected_menu ranking-closed 1 "$BANNER"
click_until 115 277 "$EXPECTED" "${PANEL[@]}" || fail "a second click on ranking did not close it (difference $DIFFERENCE/1000)"
open_and_close 3 credits "$M/creditos.jpg 200 0"

# Help: page 1, the next-page box turns to 2, 3, 4 and round to 1; the help
# button closes it.
read -r x y <<<"${CENTRES[2]}"
expected_menu help1 2 "$M/ajuda01.jpg 250 50"
click_until "$x" "$y" "$EXPECTED" "${PANEL[@]}" || fail "a click on help did not show help page 1 (difference $DIFFERENCE/1000)"
for page in 2 3 4 1; do
    expected_menu help$page 2 "$M/ajuda0$page.jpg 250 50"
    click_until 620 205 "$EXPECTED" "${PANEL[@]}" ||
        fail "the next-page box did not turn to help page $page (difference $DIFFERENCE/1000)"
done
expected_menu help-closed 2 "$BANNER"
click_until "$x" "$y" "$EXPECTED" "${PANEL[@]}" || fail "a second click on help did not close it (difference $DIFFERENCE/1000)"

exit_by_button

# Holds a key until the part x y w h of the window shows the expected screen.
key_until() {
    local key=$1 what=$2
    shift 2
    hold_key "$key" wait_similar 10 "$EXPECTED" "$@" || fail "$key did not $what (difference $DIFFERENCE/1000)"
}

start_game
wait_window
wait_menu 30 || fail "the second session's menu did not show (difference $DIFFERENCE/1000)"
focus_window
expected_menu keys-chooser 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
key_until Return "open the level chooser" "${PANEL[@]}"
expected_menu keys-chooser2 0 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 50"
key_until Down "move the chooser's focus to level 2" "${PANEL[@]}"
hold_key Return wait_level 2 10 || fail "Enter did not start level 2 (difference $DIFFERENCE/1000)"
hold_key Right wait_past_one_second 30 || fail "the game steered with Right did not run past 0:01"
# Enter on the summary plays the same level again at once; Escape there goes to the menu.
hold_key Escape wait_summary_card 30 || fail "Escape did not end the game on its summary (difference $DIFFERENCE/1000)"
hold_key Return wait_level 2 10 || fail "Enter on the summary did not play level 2 again (difference $DIFFERENCE/1000)"
end_with_escape

expected_menu keys-focus1 1 "$BANNER"
key_until Down "move the focus to ranking" 0 0 640 480
expected_ranking
key_until Return "open the ranking" 0 0 640 480
expected_menu keys-help1 2 "$M/ajuda01.jpg 250 50"
hold_key Down wait_similar 10 "$EXPECTED" 200 140 50 300 || fail "Down did not move the focus to help"
key_until Return "open help" 0 0 640 480
expected_menu keys-help2 2 "$M/ajuda02.jpg 250 50"
key_until Right "turn to help page 2" "${PANEL[@]}"
expected_menu keys-help-closed 2 "$BANNER"
key_until Escape "close help" 0 0 640 480
expected_menu keys-exit 4 "$BANNER"
key_until Escape "move the focus to exit" 0 0 640 480
focus_window
xdotool key Escape
wait_exit 10
((STATUS == 0)) || fail "Escape on exit ended the program with status $STATUS, not 0"
echo "PASS: five buttons, the pointer at each, chooser, ranking, four help pages, credits, exit with 0; the same by keys alone"
