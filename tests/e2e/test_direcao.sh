#!/usr/bin/env bash
# Steering, watched on screen in a level where nothing can touch anything:
# left alone the face runs straight along its row; with the right arrow or A
# held it circles clockwise (heading right, it turns down: it never rises
# above its row), with the left arrow or D anticlockwise (it never sinks
# below it). A turn of 15 degrees a frame at speed 5 makes a circle about
# 38 pixels across.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_dados_do_jogo
nivel_sem_contato
abre_menu

# Six places of the face over about a second, into LUGARES ("x y width"
# each; "- - 0" when it was not seen, as for a frame at x 640 while it wraps).
observa_rosto() {
    LUGARES=()
    local lugar
    for _ in $(seq 6); do
        foto rosto
        lugar=$(rosto)
        LUGARES+=("${lugar:-- - 0}")
        sleep 0.12
    done
}

escolhe_nivel 1
observa_rosto
termina_com_escape
# Only whole faces tell their row: one at the window's edge is cut.
xs=()
for lugar in "${LUGARES[@]}"; do
    read -r x y largura <<<"$lugar"
    ((largura >= 36 && largura <= 40)) || continue
    ((y >= 237 && y <= 243)) || falha "without a key the face left its row y 240: places seen (x y width) ${LUGARES[*]}"
    xs+=("$x")
done
((${#xs[@]} >= 3)) || falha "without a key the face was seen whole fewer than three times: places seen (x y width) ${LUGARES[*]}"
[[ $(printf '%s\n' "${xs[@]}" | sort -u | wc -l) -ge 3 ]] || falha "without a key the face did not move along its row: places seen (x y width) ${LUGARES[*]}"

# With the key held from before the game starts, every frame turns.
for tecla in Right a Left d; do
    case $tecla in Right | a) sentido=clockwise ;; *) sentido=anticlockwise ;; esac
    timeout 5 xdotool windowfocus --sync "$JANELA" 2>/dev/null || true
    xdotool keydown "$tecla"
    escolhe_nivel 1
    observa_rosto
    xdotool keyup "$tecla"
    termina_com_escape
    virou=""
    for lugar in "${LUGARES[@]}"; do
        read -r x y largura <<<"$lugar"
        ((largura > 0)) || falha "with $tecla held the face was not on the playfield: places seen (x y width) ${LUGARES[*]}"
        ((x >= 272 && x <= 340)) || falha "with $tecla held the face left its circle: places seen (x y width) ${LUGARES[*]}"
        if [[ $sentido == clockwise ]]; then
            ((y >= 237 && y <= 285)) || falha "with $tecla held the face did not circle clockwise below y 240: places seen (x y width) ${LUGARES[*]}"
            ((y > 250)) && virou=1
        else
            ((y <= 243 && y >= 195)) || falha "with $tecla held the face did not circle anticlockwise above y 240: places seen (x y width) ${LUGARES[*]}"
            ((y < 230)) && virou=1
        fi
    done
    [[ -n "$virou" ]] || falha "with $tecla held the face stayed on its row: places seen (x y width) ${LUGARES[*]}"
done

sai_pelo_botao
echo "PASS: straight without keys; Right and A circle clockwise, Left and D anticlockwise"
