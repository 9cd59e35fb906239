#!/usr/bin/env bash
# Steering, watched on screen in a level where nothing can touch anything:
# left alone the face runs straight along its row; with the right arrow or A
# held it circles clockwise (heading right, it turns down: it stays below
# its row), with the left arrow or D anticlockwise (it stays above it). A turn of 15 degrees a frame at speed 5 makes a circle about
# 38 pixels across. Then lumo.cfg's [keys] swaps D and A.
source "$(dirname "$0")/lib.sh"

start_x
use_game_data
level_without_contact
open_menu

# Six places of the whole face ("x y width", 36 to 40 pixels wide) into
# PLACES, and more until the given condition on them holds; a screenshot where
# the face is cut by the window's edge, wraps round or is caught half drawn
# does not count. SEEN keeps every place seen. A loaded machine can take
# shots as often as the face goes round its circle (24 frames), and see it at
# the same point of it each time: the shots are spaced unevenly, and watched
# until the face is seen where it should come.
watch_face() {
    PLACES=()
    SEEN=()
    local place width deadline=$((SECONDS + 30))
    while ((${#PLACES[@]} < 6)) || ! "${@:-true}"; do
        ((SECONDS < deadline)) || fail "the face was seen whole ${#PLACES[@]} times in 30 s without $*: places seen (x y width) ${SEEN[*]}"
        shot face
        place=$(face)
        SEEN+=("${place:-- - 0}")
        read -r _ _ width <<<"${place:-- - 0}"
        ((width >= 36 && width <= 40)) && PLACES+=("$place")
        sleep "0.0$((RANDOM % 10))"
    done
}

# Whether a place seen lies below (clockwise) or above (anticlockwise) the
# row, as a circle from heading right does.
turned() {
    local place x y
    for place in "${PLACES[@]}"; do
        read -r x y _ <<<"$place"
        if [[ $direction == clockwise ]]; then ((y > 250)) && return 0; else ((y < 230)) && return 0; fi
    done
    return 1
}

choose_level 1
wait_past_one_second 30 || fail "the game without a key did not run past 0:01"
watch_face
end_with_escape
xs=()
for place in "${PLACES[@]}"; do
    read -r x y width <<<"$place"
    ((y >= 237 && y <= 243)) || fail "without a key the face left its row y 240: places seen (x y width) ${SEEN[*]}"
    xs+=("$x")
done
[[ $(printf '%s\n' "${xs[@]}" | sort -u | wc -l) -ge 3 ]] || fail "without a key the face did not move along its row: places seen (x y width) ${SEEN[*]}"

# With the key held from before the game starts, every frame turns: in the
# count-in the face turns where it stands, 690 degrees, and sets off 30
# degrees round from where it pointed, on a circle of the same side of its
# row. The face speeds up every 500 updates, counted over all games, so one
# speed-up may fall while it is watched: a circle 8 pixels wider, touching
# the first one where it sped up. The bounds leave room for that.
circles() {
    local key=$1
    direction=$2
    focus_window
    xdotool keydown "$key"
    choose_level 1
    wait_past_one_second 30 || fail "the game with $key held did not run past 0:01"
    watch_face turned
    xdotool keyup "$key"
    end_with_escape
    for place in "${PLACES[@]}"; do
        read -r x y width <<<"$place"
        ((x >= 264 && x <= 348)) || fail "with $key held the face left its circle: places seen (x y width) ${SEEN[*]}"
        if [[ $direction == clockwise ]]; then
            ((y >= 232 && y <= 293)) || fail "with $key held the face did not circle clockwise below y 240: places seen (x y width) ${SEEN[*]}"
        else
            ((y <= 248 && y >= 187)) || fail "with $key held the face did not circle anticlockwise above y 240: places seen (x y width) ${SEEN[*]}"
        fi
    done
}
circles Right clockwise
circles a clockwise
circles Left anticlockwise
circles d anticlockwise
exit_by_button

# A W-A-S-D player's lumo.cfg swaps the turn keys.
printf '[keys]\nturn_clockwise = D RIGHT\nturn_anticlockwise = a left\n' >"$WORK/lumo.cfg"
open_menu
circles d clockwise
circles a anticlockwise
exit_by_button
! grep -q "\[keys\]" "$WORK/.output" || fail "the swapped keys were complained about: $(cat "$WORK/.output")"
echo "PASS: straight without keys; Right and A circle clockwise, Left and D anticlockwise; D and A swapped in lumo.cfg"
