#!/usr/bin/env bash
# No pixel of a game stays in the menu, wherever the pointer was: a game is
# played with the pointer parked at each edge and corner of the window, and
# the menu that follows must match the expected screen pixel for pixel; after
# the last one, every panel too. Screenshots never show the window system's
# own pointer, so any pointer picture or leftover of the level counts.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
level_without_contact
open_menu

# Pixels of the last screenshot further than a JPEG's rounding from the
# expected screen.
stray_pixels() {
    compare -metric AE -fuzz 10% "$SHOT" "$1" null: 2>&1 || true
}

# Screenshots until no pixel strays from the expected screen, or the seconds
# run out; STRAY keeps the last count.
wait_clean() {
    local seconds=$1 expected=$2 until
    until=$((SECONDS + seconds))
    while :; do
        shot clean
        STRAY=$(stray_pixels "$expected")
        ((STRAY == 0)) && return 0
        ((SECONDS < until)) || return 1
        sleep "$SHOT_INTERVAL"
    done
}

# Edges and corners; the menu then marks new game, as on every entry.
for park in "0 0" "320 0" "639 0" "639 240" "639 479" "320 479" "0 479" "0 240"; do
    read -r x y <<<"$park"
    choose_level 1
    xdotool mousemove --window "$WINDOW" "$x" "$y"
    wait_past_one_second 30 || fail "the game with the pointer at ($x, $y) did not run on past 0:01"
    end_with_escape
    # The pointer moves on in the menu, away from every button.
    xdotool mousemove --window "$WINDOW" 130 60
    expected_menu "after-$x-$y" 0 "$BANNER"
    wait_clean 30 "$EXPECTED" || fail "pointer parked at ($x, $y) in the game: $STRAY pixels of the menu differ from the expected screen"
done

# Every panel after the last game: each opened with a click on its button,
# then the whole window compared.
clean_panel() {
    local name=$1 b=$2 x=$3 y=$4
    shift 4
    expected_menu "$name" "$b" "$@"
    click_until "$x" "$y" "$EXPECTED" 200 0 440 400 || fail "the $name panel did not open (difference $DIFFERENCE/1000)"
    wait_clean 30 "$EXPECTED" || fail "the $name panel: $STRAY pixels differ from the expected screen"
}
chooser_parts  # the games played gave their levels a best
clean_panel chooser 0 115 177 "${CHOOSER[@]}" "$M/escolhaFeliz.png 350 0"
open_ranking
wait_clean 30 "$EXPECTED" || fail "the ranking panel: $STRAY pixels differ from the expected screen"
clean_panel credits 3 115 440 "$M/creditos.jpg 200 0"
clean_panel help1 2 115 370 "$M/ajuda01.jpg 250 50"
for page in 2 3 4; do
    clean_panel help$page 2 620 205 "$M/ajuda0$page.jpg 250 50"
done

exit_by_button
echo "PASS: no pixel of a game left in the menu with the pointer parked at every edge and corner; every panel clean"
