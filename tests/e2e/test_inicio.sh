#!/usr/bin/env bash
# Start-up in a real window: the window shows the level, Escape ends the game,
# and a missing image is reported by name with a failing exit status.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_imagens_de_teste
# A small level of our own: the player, the item, four enemies, four walls.
cat >"$TRABALHO/01.txt" <<'NIVEL'
300 240 5 0 18 0   100 100 0 0 18 0   500 400 0 0 14 0
80 420 2 0 18 5    560 120 2 90 18 0  560 420 2 180 18 5
10 75 20 80  10 470 20 475  620 75 630 80  620 470 630 475
NIVEL

inicia_jogo
espera_janela
foto janela
# The test overlay is one opaque colour (slot 25) over the whole window.
pixel_perto 20 300 "40 40 90" >/dev/null || falha "window does not show the level picture (saw $(pixel 20 300))"
tecla Escape
espera_fim 10
[[ $STATUS -eq 0 ]] || falha "Escape ended the program with status $STATUS, not 0"

rm "$TRABALHO/Data/Imagens/numeros/05v.png"
inicia_jogo
le_mensagem
[[ "$MENSAGEM" == "05v.png not found" ]] || falha "message was '$MENSAGEM'"
espera_fim 10
[[ $STATUS -ne 0 ]] || falha "a missing image ended the program with status 0"
echo "PASS: window, Escape, missing image"
