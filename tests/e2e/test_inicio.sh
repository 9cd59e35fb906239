#!/usr/bin/env bash
# Start-up in a real window: the menu, a game of level 1 ended with Escape,
# a missing level file, the exit button, and a missing image reported by name
# with a failing exit status.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_imagens_de_teste
# A small level of our own: the player, the item, four enemies, four walls.
cat >"$TRABALHO/01.txt" <<'NIVEL'
300 240 5 0 18 0   100 100 0 0 18 0   500 400 0 0 14 0
80 420 2 0 18 5    560 120 2 90 18 0  560 420 2 180 18 5
10 75 20 80  10 470 20 475  620 75 630 80  620 470 630 475
NIVEL

# Test images are flat colours: slot s is rgb(40 + s%5*50, 40 + s/5%5*50, 40 + s/25*50).
# Screenshots until the pixel shows the colour, or the seconds run out.
espera_pixel() {
    local x=$1 y=$2 cor=$3 ate=$((SECONDS + $4))
    while :; do
        foto "$5"
        pixel_perto "$x" "$y" "$cor" >/dev/null && return 0
        ((SECONDS < ate)) || return 1
        sleep 0.1
    done
}
# New game, then the level button at y; each clicked again if a busy frame missed it.
abre_nivel() {
    for _ in 1 2 3; do
        espera_pixel 301 1 "40 190 90" 0 escolhedor || clica 100 170
        espera_pixel 301 1 "40 190 90" 2 escolhedor || continue
        clica 325 "$1"
        return 0
    done
    falha "new game did not open the level chooser (saw $(pixel 301 1))"
}

inicia_jogo
espera_janela
espera_pixel 5 145 "90 40 40" 5 menu || falha "no new game button at (0, 140): saw $(pixel 5 145)"
pixel_perto 485 395 "40 90 40" >/dev/null || falha "no exit button at (480, 390): saw $(pixel 485 395)"

abre_nivel 25
espera_pixel 20 300 "40 40 90" 5 jogo || falha "level 1 did not start (saw $(pixel 20 300))"

# Escape ends the game on its summary (slot 16, the card, at (160, 135)),
# the ranking already written; Escape again goes on to the menu.
tecla Escape
espera_pixel 161 136 "90 190 40" 5 summary || falha "Escape did not show the summary: saw $(pixel 161 136)"
[[ $(wc -l <"$TRABALHO/rank.txt") -eq 10 ]] || falha "rank.txt does not hold ten lines"
tecla Escape
espera_pixel 5 145 "90 40 40" 5 menu-de-novo || falha "Escape did not bring the menu back: saw $(pixel 5 145)"

# A level file that cannot be read: a message names it and the menu stays.
abre_nivel 75   # level 2 has no file here
le_mensagem
[[ "$MENSAGEM" == "02.txt could not be read" ]] || falha "level message was '$MENSAGEM'"
sleep 0.3
kill -0 "$JOGO_PID" || falha "the program ended after the level message"

sai_pelo_botao

rm "$TRABALHO/Data/Imagens/numeros/05v.png"
inicia_jogo
le_mensagem
[[ "$MENSAGEM" == "05v.png not found" ]] || falha "message was '$MENSAGEM'"
espera_fim 10
[[ $STATUS -ne 0 ]] || falha "a missing image ended the program with status 0"
# No display at all: a message and a failing status, not a crash.
set +e
(cd "$TRABALHO" && DISPLAY= "$LUMO_BIN" >"$TRABALHO/.sem-tela" 2>&1)
STATUS=$?
set -e
((STATUS == 1)) || falha "without a display the program ended with status $STATUS, not 1"
grep -q "Unable to start Allegro" "$TRABALHO/.sem-tela" || falha "no message without a display"

echo "PASS: menu, game, Escape, missing level, exit, missing image, no display"
