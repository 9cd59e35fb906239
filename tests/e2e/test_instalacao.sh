#!/usr/bin/env bash
# Installing: `cmake --install` into a scratch prefix gives the launcher, the
# program, the pictures, the levels, a valid menu entry and its icon. The
# installed launcher starts the game in the player's own folder, made of
# links to the installed data; "rank.txt" is written there and outlives a
# reinstall, and a level file the player put there is kept.
source "$(dirname "$0")/lib.sh"
: "${LUMO_BUILD_DIR:?}"

PREFIXO="$TRABALHO/prefixo"
cmake --install "$LUMO_BUILD_DIR" --prefix "$PREFIXO" >"$TRABALHO/.instalacao" 2>&1 ||
    falha "cmake --install failed: $(tail -3 "$TRABALHO/.instalacao")"
DADOS="$PREFIXO/share/games/lumo"
for arquivo in bin/lumo lib/games/lumo/lumo; do
    [[ -x "$PREFIXO/$arquivo" ]] || falha "no program $arquivo under the prefix"
done
for arquivo in 01.txt 02.txt 03.txt Data/Imagens/Niveis/01.jpg Data/Imagens/Menu/LMBanner.png; do
    cmp -s "$DADOS/$arquivo" "$LUMO_SOURCE_DIR/$arquivo" || falha "share/games/lumo/$arquivo is not the shipped file"
done
[[ $(find "$DADOS/Data" -type f | wc -l) -eq 71 ]] || falha "share/games/lumo/Data holds $(find "$DADOS/Data" -type f | wc -l) files, not the 71 pictures"
desktop-file-validate "$PREFIXO/share/applications/lumo.desktop" >"$TRABALHO/.validacao" 2>&1 ||
    falha "the menu entry is not valid: $(cat "$TRABALHO/.validacao")"
icone="$PREFIXO/share/icons/hicolor/128x128/apps/lumo.png"
[[ $(identify -format '%m %wx%h' "$icone" 2>/dev/null) == "PNG 128x128" ]] ||
    falha "the icon is not a 128x128 PNG: $(identify "$icone" 2>&1)"

inicia_x
export HOME="$TRABALHO/casa"
unset XDG_DATA_HOME
mkdir -p "$HOME"

# The player's folder: each item a link to the installed one.
confere_links() {
    local pasta=$1 item
    for item in Data 01.txt 02.txt 03.txt; do
        [[ -L "$pasta/$item" && "$(readlink -f "$pasta/$item")" == "$(readlink -f "$DADOS/$item")" ]] ||
            falha "$pasta/$item is not a link to the installed $item: $(ls -l "$pasta/$item" 2>&1)"
    done
}

# Without XDG_DATA_HOME the folder is ~/.local/share/lumo.
inicia_jogo "$PREFIXO/bin/lumo"
espera_janela
espera_menu 5 || falha "the installed game did not show the menu (difference $DIFERENCA/1000)"
confere_links "$HOME/.local/share/lumo"
sai_pelo_botao

# With XDG_DATA_HOME the folder is there; a game's result lands in it.
export XDG_DATA_HOME="$TRABALHO/xdg"
PASTA="$XDG_DATA_HOME/lumo"
RANK_TXT="$PASTA/rank.txt"
inicia_jogo "$PREFIXO/bin/lumo"
espera_janela
espera_menu 5 || falha "the installed game did not show the menu (difference $DIFERENCA/1000)"
confere_links "$PASTA"
escolhe_nivel 2
termina_com_escape
sai_pelo_botao
[[ $(wc -l <"$PASTA/rank.txt" 2>/dev/null) -eq 10 ]] || falha "no rank.txt of ten lines in $PASTA after a game"
[[ ! -e "$DADOS/rank.txt" && ! -e "$HOME/.local/share/lumo/rank.txt" ]] || falha "rank.txt was written outside the player's folder"
cp "$PASTA/rank.txt" "$TRABALHO/rank-antes.txt"

# A reinstall keeps the ranking and the links; the player's own level stays.
cmake --install "$LUMO_BUILD_DIR" --prefix "$PREFIXO" >"$TRABALHO/.instalacao" 2>&1 || falha "the second cmake --install failed"
rm "$PASTA/03.txt"
cp "$LUMO_SOURCE_DIR/01.txt" "$PASTA/03.txt"
inicia_jogo "$PREFIXO/bin/lumo"
espera_janela
espera_menu 5 || falha "after a reinstall the game did not show the menu (difference $DIFERENCA/1000)"
abre_ranking
confere_ranking
sai_pelo_botao
cmp -s "$PASTA/rank.txt" "$TRABALHO/rank-antes.txt" || falha "rank.txt changed over a reinstall: $(rank_em_linha)"
[[ -f "$PASTA/03.txt" && ! -L "$PASTA/03.txt" ]] || falha "the player's own 03.txt was replaced by the launcher"

echo "PASS: install layout, menu entry and icon; the launcher's folder of links, rank.txt kept per player over a reinstall"
