#!/usr/bin/env bash
# A game left alone ends by itself: in a level where nothing can touch
# anything there is no bonus and no penalty, so the 20-second countdown runs
# out after 591 frames (at 30 ms and more a frame, 18 seconds or more), the
# summary shows 00:20 at ranking place 1 without a key pressed, the result,
# 0 minutes 20 seconds, is already in rank.txt, and after Enter the menu's
# ranking panel shows it.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_dados_do_jogo
nivel_sem_contato
abre_menu

escolhe_nivel 1
inicio=$(date +%s%N)
wait_for_summary 90 0 20 1 || falha "the game did not end on its summary within 90 s (difference $DIFERENCA/1000)"
duracao=$((($(date +%s%N) - inicio) / 1000000))
((duracao >= 15000)) || falha "the game ended after $duracao ms, well before 591 frames of about 30 ms"

[[ -f "$RANK_TXT" ]] || falha "no rank.txt after the game"
mapfile -t RANK <"$RANK_TXT"
((${#RANK[@]} == 10)) || falha "rank.txt holds ${#RANK[@]} lines, not ten: $(rank_em_linha)"
for k in $(seq 0 8); do
    [[ "${RANK[k]}" == "0 0" ]] || falha "rank.txt line $((k + 1)) is '${RANK[k]}', not '0 0': $(rank_em_linha)"
done
[[ "${RANK[9]}" == "0 20" ]] || falha "the game's result is '${RANK[9]}', not '0 20' (20 seconds, no bonus, no penalty)"

close_summary
abre_ranking
confere_ranking

sai_pelo_botao
echo "PASS: the countdown ended the game after $duracao ms on its summary; result 0 20 in rank.txt and on the ranking panel"
