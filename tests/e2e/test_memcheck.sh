#!/usr/bin/env bash
# Start-up, a short game of level 1 and the exit button under valgrind's
# memcheck, in a real window with the shipped data: no memory error and no
# leak from our code. Allegro's and the X libraries' own allocations that
# live until exit are suppressed in tests/valgrind/allegro.supp.
source "$(dirname "$0")/lib.sh"
command -v valgrind >/dev/null || falha "valgrind is not installed (scripts/setup.sh --tests)"

inicia_x
pasta_com_dados_do_jogo
REGISTRO="$ARTEFATOS/$NOME_TESTE-valgrind.log"
(cd "$TRABALHO" && exec valgrind --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,possible \
    --errors-for-leak-kinds=definite,possible --num-callers=30 \
    --suppressions="$LUMO_SOURCE_DIR/tests/valgrind/allegro.supp" --gen-suppressions=all \
    --log-file="$REGISTRO" "$LUMO_BIN" >"$TRABALHO/.saida" 2>&1) &
JOGO_PID=$!

# Everything is many times slower under valgrind: long clicks, long waits.
ANTES_CLIQUE=1
SEGURA_CLIQUE=0.4
PAUSA_CLIQUE=1
JANELA=""
for _ in $(seq 600); do
    JANELA=$(xdotool search --name '^lumo$' 2>/dev/null | head -1 || true)
    [[ -n "$JANELA" ]] && break
    sleep 0.1
done
[[ -n "$JANELA" ]] || falha "no window under valgrind; see $REGISTRO"
espera_menu 120 || falha "the menu did not show under valgrind (difference $DIFERENCA/1000)"

menu_esperado escolha 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
for _ in 1 2 3 4 5; do
    clica 115 177
    espera_parecida 15 "$ESPERADA" 300 0 50 150 && break
done
((DIFERENCA <= LIMIAR)) || falha "new game did not open the level chooser (difference $DIFERENCA/1000)"

jogando=false
for _ in 1 2 3 4 5; do
    clica 325 25
    for _ in $(seq 30); do
        foto nivel1
        no_fundo_do_nivel 1 && jogando=true && break 2
        sleep 0.3
    done
done
$jogando || falha "level 1 did not start under valgrind (difference $DIFERENCA/1000)"

tecla Right 1
for _ in 1 2 3; do
    tecla Escape 1
    espera_menu 60 && break
done
((DIFERENCA <= LIMIAR)) || falha "Escape did not bring the menu back (difference $DIFERENCA/1000)"
[[ $(wc -l <"$TRABALHO/rank.txt") -eq 10 ]] || falha "the game's result was not written to rank.txt"

# Valgrind ends with status 99 when it found an error or a leak; the log is
# kept in the artefacts folder.
sai_pelo_botao 20
grep -E "ERROR SUMMARY|definitely lost|possibly lost" "$REGISTRO" || true
echo "PASS: start-up, a game and exit under memcheck with no error and no leak"
