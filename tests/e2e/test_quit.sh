#!/usr/bin/env bash
# Ending the program the desktop's ways: the window's close button in the
# menu and during a game, SIGTERM, SIGINT and SIGHUP during a game, and the
# X server going away. A game under way ends as Escape ends it, its result
# kept in rank.txt; the program ends with status 0 and prints nothing.
source "$(dirname "$0")/lib.sh"
: "${LUMO_CLOSE_WINDOW:?}"

inicia_x
pasta_com_dados_do_jogo

# Results in rank.txt (rows other than the empty 0 0).
resultados() {
    [[ -f "$RANK_TXT" ]] || { echo 0; return; }
    grep -cv '^0 0$' "$RANK_TXT" || true
}

# Waits for the end asked for by "$@" and checks it was a quiet one.
termina_limpo() {
    local como=$1
    espera_fim 10
    ((STATUS == 0)) || falha "$como: status $STATUS, not 0; program said: $(cat "$TRABALHO/.saida")"
    [[ ! -s "$TRABALHO/.saida" ]] || falha "$como: the program printed: $(cat "$TRABALHO/.saida")"
}

fecha_janela() { "$LUMO_CLOSE_WINDOW" "$JANELA" || falha "could not send the close message"; }

abre_menu
fecha_janela
termina_limpo "close button in the menu"
RESULTADOS=$(resultados)
((RESULTADOS == 0)) || falha "the menu's close left results in rank.txt: $(rank_em_linha)"

# During a game each way ends it with its result counted.
for como in close TERM INT HUP; do
    abre_menu
    escolhe_nivel 1
    if [[ $como == close ]]; then fecha_janela; else kill -s "$como" "$JOGO_PID"; fi
    termina_limpo "$como during a game"
    depois=$(resultados)
    ((depois == RESULTADOS + 1)) || falha "$como during a game: rank.txt holds $depois results, not $((RESULTADOS + 1)): $(rank_em_linha)"
    RESULTADOS=$depois
done

# The X server goes away during a game: the program ends soon, never hangs,
# and rank.txt is a whole table, the old one or a new one.
cp "$RANK_TXT" "$TRABALHO/rank.antes"
abre_menu
escolhe_nivel 2
kill -KILL "$XVFB_PID"
XVFB_PID=""
espera_fim 5
((STATUS == 0)) || falha "the X server's end left status $STATUS; program said: $(cat "$TRABALHO/.saida")"
linhas=$(grep -cE '^[0-9]+ [0-9]+$' "$RANK_TXT")
((linhas == 10)) && [[ $(wc -l <"$RANK_TXT") -eq 10 ]] || falha "rank.txt damaged after the X server ended: $(rank_em_linha)"

echo "PASS: close button in the menu and in a game, SIGTERM, SIGINT, SIGHUP, the X server gone"
