#!/usr/bin/env bash
# Games on the shipped levels: each level chosen in the menu starts on its own
# background; Escape ends the game and brings the menu back; every result is
# kept in "rank.txt" (ten lines) and drawn on the ranking panel.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_dados_do_jogo
abre_menu

for n in 1 2 3; do
    escolhe_nivel "$n"
    sleep $((n + 1))  # each game lasts a little longer than the one before
    termina_com_escape
    [[ -f "$RANK_TXT" ]] || falha "no rank.txt after the game of level $n"
    linhas=$(wc -l <"$RANK_TXT")
    ((linhas == 10)) || falha "rank.txt holds $linhas lines after level $n, not ten: $(rank_em_linha)"
done

# Three results, lowest first, after seven empty rows; each game's elapsed
# clock started at 1 second and ran about 2, 3 and 4 more.
mapfile -t RANK <"$RANK_TXT"
for k in $(seq 0 6); do
    [[ "${RANK[k]}" == "0 0" ]] || falha "rank.txt line $((k + 1)) is '${RANK[k]}', not '0 0': $(rank_em_linha)"
done
anterior=0
for k in 7 8 9; do
    read -r m s <<<"${RANK[k]}"
    ((m == 0 && s >= 3 && s <= 15 && s >= anterior)) ||
        falha "rank.txt line $((k + 1)) is '${RANK[k]}', not a result of a few seconds in order: $(rank_em_linha)"
    anterior=$s
done

abre_ranking
confere_ranking

sai_pelo_botao
echo "PASS: levels 1, 2 and 3 on their backgrounds, Escape back to the menu, three results in rank.txt and on the ranking panel"
