#!/usr/bin/env bash
# Not in ctest: under valgrind the game is far too slow for CI on 2 shared
# cores. Run by hand from build/:
#   LUMO_BIN=$PWD/lumo LUMO_SOURCE_DIR=$PWD/.. bash ../tests/confiabilidade/test_memcheck.sh
# Start-up, a short game of level 1 and the exit button under valgrind's
# memcheck, in a real window with the shipped data: no memory error and no
# leak from our code. Allegro's and the X libraries' own allocations that
# live until exit are suppressed in tests/valgrind/allegro.supp.
source "$(dirname "$0")/../e2e/lib.sh"
command -v valgrind >/dev/null || falha "valgrind is not installed (scripts/setup.sh --tests)"

inicia_x
pasta_com_dados_do_jogo
REGISTRO="$ARTEFATOS/$NOME_TESTE-valgrind.log"
(cd "$TRABALHO" && exec valgrind --fair-sched=yes --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,possible \
    --errors-for-leak-kinds=definite,possible --track-origins=yes --num-callers=30 \
    --suppressions="$LUMO_SOURCE_DIR/tests/valgrind/allegro.supp" --gen-suppressions=all \
    --log-file="$REGISTRO" "$LUMO_BIN" >"$TRABALHO/.saida" 2>&1) &
JOGO_PID=$!

# Everything is many times slower under valgrind: long waits, long clicks.
JANELA=""
for _ in $(seq 600); do
    JANELA=$(xdotool search --name '^lumo$' 2>/dev/null | head -1 || true)
    [[ -n "$JANELA" ]] && break
    sleep 0.1
done
[[ -n "$JANELA" ]] || falha "no window under valgrind; see $REGISTRO"
# Under valgrind the window shows nothing the screenshots could check, and
# the pictures take long to load: play blind and let rank.txt, written when
# a game ends, tell that one was played. The new game button toggles the
# chooser, so a round that closed it opens it again in the next.
clica_longo() {
    xdotool mousemove --window "$JANELA" "$1" "$2"
    sleep 0.3
    xdotool mousedown 1
    sleep "${3:-1}"
    xdotool mouseup 1
    sleep 1
}
sleep 20
xwininfo -id "$JANELA" | grep -E "Map State" || true
for rodada in $(seq 10); do
    clica_longo 100 170 0.3   # new game
    clica_longo 325 25        # level 1
    tecla Right 1
    tecla Left 1
    tecla Escape 1
    sleep 2
    [[ -s "$TRABALHO/rank.txt" ]] && break
done
[[ -s "$TRABALHO/rank.txt" ]] || falha "no game was played to its end: no rank.txt"
clica_longo 560 430   # exit
espera_fim 120
grep -E "ERROR SUMMARY|definitely lost|possibly lost|indirectly lost" "$REGISTRO" || true
((STATUS == 0)) || falha "valgrind reported errors or leaks (status $STATUS); see $REGISTRO"
echo "PASS: start-up, a game and exit under memcheck with no error and no leak"
