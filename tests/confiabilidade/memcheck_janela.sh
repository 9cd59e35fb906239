#!/usr/bin/env bash
# Start-up, a short game of level 1 and the exit button under valgrind's
# memcheck, in a real window with the shipped data: no memory error and no
# leak from our code. Allegro's and the X libraries' own allocations that
# live until exit are suppressed in tests/valgrind/allegro.supp.
# Not in ctest: how the slowed-down program takes X input varies with the
# machine's load (about one run in three misses its clicks). By hand, from build/:
#   LUMO_BIN=$PWD/lumo LUMO_SOURCE_DIR=$PWD/.. bash ../tests/confiabilidade/memcheck_janela.sh
# The test command runs the same game code under memcheck headless instead.
source "$(dirname "$0")/../e2e/lib.sh"
command -v valgrind >/dev/null || falha "valgrind is not installed (scripts/setup.sh --tests)"

inicia_x
pasta_com_dados_do_jogo
REGISTRO="$ARTEFATOS/$NOME_TESTE-valgrind.log"
(cd "$TRABALHO" && exec valgrind --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,possible \
    --errors-for-leak-kinds=definite,possible --num-callers=30 \
    --suppressions="$LUMO_SOURCE_DIR/tests/valgrind/allegro.supp" --gen-suppressions=all \
    --log-file="$REGISTRO" "$LUMO_BIN" >"$TRABALHO/.saida" 2>&1) &
JOGO_PID=$!

# Everything is many times slower under valgrind, by how much depends on the
# machine. A click is held long enough for a slow frame to see it, and the
# screen is looked at only after the release and seldom (screenshots hold
# the slowed program up). The new game button toggles its panel every five frames while
# held, so its clicks try several lengths until one opens the chooser.
INTERVALO_FOTO=2
aperta() {
    xdotool mousemove --window "$JANELA" "$1" "$2"
    sleep 1
    xdotool mousedown 1
    sleep "$3"
    xdotool mouseup 1
    sleep 1
}
JANELA=""
for _ in $(seq 600); do
    JANELA=$(xdotool search --name '^[Ll]umo$' 2>/dev/null | head -1 || true)
    [[ -n "$JANELA" ]] && break
    sleep 0.1
done
[[ -n "$JANELA" ]] || falha "no window under valgrind; see $REGISTRO"
espera_menu 120 || falha "the menu did not show under valgrind (difference $DIFERENCA/1000)"

# The first time the pointer enters the window takes long under valgrind:
# let it settle over the window before the first click.
xdotool mousemove --window "$JANELA" 100 270
sleep 3

menu_esperado escolha 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
for segundos in 0.4 0.2 0.7 0.3 1; do
    aperta 115 177 "$segundos"
    espera_parecida 10 "$ESPERADA" 300 0 50 150 && break
done
((DIFERENCA <= LIMIAR)) || falha "new game did not open the level chooser (difference $DIFERENCA/1000)"

jogando=false
for _ in 1 2 3; do
    aperta 325 25 0.5
    for _ in $(seq 20); do
        foto nivel1
        no_fundo_do_nivel 1 && jogando=true && break 2
        sleep "$INTERVALO_FOTO"
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
for _ in 1 2 3; do
    aperta 560 427 0.5
    for _ in $(seq 100); do
        kill -0 "$JOGO_PID" 2>/dev/null || break 2
        sleep 0.2
    done
done
espera_fim 5
((STATUS == 0)) || falha "the program ended with status $STATUS under valgrind; see $REGISTRO"
grep -E "ERROR SUMMARY|definitely lost|possibly lost" "$REGISTRO" || true
echo "PASS: start-up, a game and exit under memcheck with no error and no leak"
