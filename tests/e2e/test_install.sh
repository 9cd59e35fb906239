#!/usr/bin/env bash
# Installing: `cmake --install` into a scratch prefix gives the launcher, the
# program, the pictures, the levels, a valid menu entry and its icon. The
# installed launcher starts the game in the player's own folder, made of
# links to the installed data; "rank.txt" is written there and outlives a
# reinstall, and a level file the player put there is kept.
source "$(dirname "$0")/lib.sh"
: "${LUMO_BUILD_DIR:?}"

PREFIX="$WORK/prefix"
cmake --install "$LUMO_BUILD_DIR" --prefix "$PREFIX" >"$WORK/.install" 2>&1 ||
    fail "cmake --install failed: $(tail -3 "$WORK/.install")"
DATA="$PREFIX/share/games/lumo"
for file in bin/lumo lib/games/lumo/lumo; do
    [[ -x "$PREFIX/$file" ]] || fail "no program $file under the prefix"
done
for file in 01.txt 02.txt 03.txt Data/Imagens/Niveis/01.jpg Data/Imagens/Menu/LMBanner.png Data/Sounds/item.wav; do
    cmp -s "$DATA/$file" "$LUMO_SOURCE_DIR/$file" || fail "share/games/lumo/$file is not the shipped file"
done
shipped=$(find "$LUMO_SOURCE_DIR/Data" -type f | wc -l)
[[ $(find "$DATA/Data" -type f | wc -l) -eq $shipped ]] ||
    fail "share/games/lumo/Data holds $(find "$DATA/Data" -type f | wc -l) files, not the $shipped pictures and sounds"
desktop-file-validate "$PREFIX/share/applications/lumo.desktop" >"$WORK/.validation" 2>&1 ||
    fail "the menu entry is not valid: $(cat "$WORK/.validation")"
icon="$PREFIX/share/icons/hicolor/128x128/apps/lumo.png"
[[ $(identify -format '%m %wx%h' "$icon" 2>/dev/null) == "PNG 128x128" ]] ||
    fail "the icon is not a 128x128 PNG: $(identify "$icon" 2>&1)"

start_x
export HOME="$WORK/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"

# The player's folder: each item a link to the installed one.
check_links() {
    local folder=$1 item
    for item in Data 01.txt 02.txt 03.txt; do
        [[ -L "$folder/$item" && "$(readlink -f "$folder/$item")" == "$(readlink -f "$DATA/$item")" ]] ||
            fail "$folder/$item is not a link to the installed $item: $(ls -l "$folder/$item" 2>&1)"
    done
}

# Without XDG_DATA_HOME the folder is ~/.local/share/lumo.
start_game "$PREFIX/bin/lumo"
wait_window
wait_menu 30 || fail "the installed game did not show the menu (difference $DIFFERENCE/1000)"
check_links "$HOME/.local/share/lumo"
exit_by_button

# With XDG_DATA_HOME the folder is there; a game's result lands in it.
export XDG_DATA_HOME="$WORK/xdg"
FOLDER="$XDG_DATA_HOME/lumo"
RANK_TXT="$FOLDER/rank.txt"
start_game "$PREFIX/bin/lumo"
wait_window
wait_menu 30 || fail "the installed game did not show the menu (difference $DIFFERENCE/1000)"
check_links "$FOLDER"
choose_level 2
end_with_escape
exit_by_button
[[ $(wc -l <"$FOLDER/rank.txt" 2>/dev/null) -eq 10 ]] || fail "no rank.txt of ten lines in $FOLDER after a game"
[[ ! -e "$DATA/rank.txt" && ! -e "$HOME/.local/share/lumo/rank.txt" ]] || fail "rank.txt was written outside the player's folder"
cp "$FOLDER/rank.txt" "$WORK/rank-before.txt"

# A reinstall keeps the ranking and the links; the player's own level stays.
cmake --install "$LUMO_BUILD_DIR" --prefix "$PREFIX" >"$WORK/.install" 2>&1 || fail "the second cmake --install failed"
rm "$FOLDER/03.txt"
cp "$LUMO_SOURCE_DIR/01.txt" "$FOLDER/03.txt"
start_game "$PREFIX/bin/lumo"
wait_window
wait_menu 30 || fail "after a reinstall the game did not show the menu (difference $DIFFERENCE/1000)"
open_ranking
check_ranking
exit_by_button
cmp -s "$FOLDER/rank.txt" "$WORK/rank-before.txt" || fail "rank.txt changed over a reinstall: $(rank_on_one_line)"
[[ -f "$FOLDER/03.txt" && ! -L "$FOLDER/03.txt" ]] || fail "the player's own 03.txt was replaced by the launcher"

echo "PASS: install layout, menu entry and icon; the launcher's folder of links, rank.txt kept per player over a reinstall"
