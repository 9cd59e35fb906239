#!/usr/bin/env bash
# The menu with the shipped pictures: its five buttons, the pointer beside the
# button under the mouse, every panel opened and closed again (level chooser;
# ranking, showing a rank file written out of order sorted; the three help
# pages in turn; credits), and the exit button.
# Every check compares the window with a screen composed from the same files.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_dados_do_jogo
# A rank file out of order, with a time over a minute: the panel shows it sorted.
printf '%s\n' "0 0" "12 5" "0 0" "0 0" "1 23" "0 0" "0 0" "0 0" "0 59" "0 0" >"$RANK_TXT"
inicia_jogo
espera_janela

NOMES=("new game" "ranking" "help" "credits" "exit")
CENTROS=("115 177" "115 277" "115 370" "115 440" "560 427")  # help wins where help and credits overlap

# Panel area and chooser, where every panel is drawn; the pointer squares
# at x 230 are inside it too.
PAINEL=(200 0 440 400)

espera_menu 5 ||
    falha "the menu with its five buttons, the banner and the pointer at new game did not show (difference $DIFERENCA/1000)"

# The pointer follows the marked button: at its place the pointer picture,
# at the four other places nothing.
for b in 0 1 2 3 4; do
    read -r x y <<<"${CENTROS[$b]}"
    xdotool mousemove --window "$JANELA" "$x" "$y"
    menu_esperado ponteiro-$b "$b" "$BANNER"
    for outro in 0 1 2 3 4; do
        read -r px py <<<"${PONTEIROS[$outro]}"
        espera_parecida 3 "$ESPERADA" "$px" "$py" 50 50 && continue
        if ((outro == b)); then
            falha "mouse on ${NOMES[$b]}: no pointer picture at ($px, $py) (difference $DIFERENCA/1000)"
        else
            falha "mouse on ${NOMES[$b]}: ($px, $py), beside ${NOMES[$outro]}, is not empty (difference $DIFERENCA/1000)"
        fi
    done
done

# Opens a panel with a click on button b, then closes it with a second click.
abre_e_fecha() {
    local b=$1 nome=$2 x y
    shift 2
    read -r x y <<<"${CENTROS[$b]}"
    menu_esperado "$nome" "$b" "$@"
    clica_ate "$x" "$y" "$ESPERADA" "${PAINEL[@]}" ||
        falha "a click on ${NOMES[$b]} did not open the $nome panel (difference $DIFERENCA/1000)"
    menu_esperado "$nome-fechado" "$b" "$BANNER"
    clica_ate "$x" "$y" "$ESPERADA" "${PAINEL[@]}" ||
        falha "a second click on ${NOMES[$b]} did not close the $nome panel (difference $DIFERENCA/1000)"
}

abre_e_fecha 0 chooser "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
abre_ranking
confere_ranking
menu_esperado ranking-fechado 1 "$BANNER"
clica_ate 115 277 "$ESPERADA" "${PAINEL[@]}" || falha "a second click on ranking did not close it (difference $DIFERENCA/1000)"
abre_e_fecha 3 credits "$M/creditos.jpg 200 0"

# Help: page 1, the next-page box turns to 2, to 3 and round to 1; the help
# button closes it.
read -r x y <<<"${CENTROS[2]}"
menu_esperado ajuda1 2 "$M/ajuda01.jpg 250 50"
clica_ate "$x" "$y" "$ESPERADA" "${PAINEL[@]}" || falha "a click on help did not show help page 1 (difference $DIFERENCA/1000)"
for pagina in 2 3 1; do
    menu_esperado ajuda$pagina 2 "$M/ajuda0$pagina.jpg 250 50"
    clica_ate 620 205 "$ESPERADA" "${PAINEL[@]}" ||
        falha "the next-page box did not turn to help page $pagina (difference $DIFERENCA/1000)"
done
menu_esperado ajuda-fechada 2 "$BANNER"
clica_ate "$x" "$y" "$ESPERADA" "${PAINEL[@]}" || falha "a second click on help did not close it (difference $DIFERENCA/1000)"

sai_pelo_botao
echo "PASS: five buttons, the pointer at each, chooser, ranking, three help pages, credits, exit with 0"
