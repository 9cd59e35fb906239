#!/usr/bin/env bash
# The window on a large screen and the command line: title "Lumo" and class
# lumo; on 1600x1200 the window is 1280x960 and its picture, scaled back
# down, is the game's own; clicks at magnified places work; P pauses (the
# clocks stand still) and resumes with no trace, losing the focus pauses;
# --scale 1 gives 640x480; --help, --version and bad options answer without
# a window.
source "$(dirname "$0")/lib.sh"
: "${LUMO_POINTER_SHOWN:?}"

# Waits until the X server shows the pointer ("shown") or not ("hidden").
espera_ponteiro() {
    local ate=$((SECONDS + 5))
    until [[ $("$LUMO_POINTER_SHOWN") == "$1" ]]; do
        ((SECONDS < ate)) || return 1
        sleep 0.1
    done
}

# The command line, with no display at all: nothing may open a window.
linha_de_comando() {
    set +e
    SAIDA=$(cd "$TRABALHO" && DISPLAY= "$LUMO_BIN" "$@" 2>"$TRABALHO/.erro")
    STATUS=$?
    set -e
    ERRO=$(cat "$TRABALHO/.erro")
}
linha_de_comando --help
((STATUS == 0)) && [[ "$SAIDA" == Usage:* && "$SAIDA" == *--scale* && -z "$ERRO" ]] ||
    falha "--help: status $STATUS, said '$SAIDA' '$ERRO'"
linha_de_comando --version
((STATUS == 0)) && [[ "$SAIDA" =~ ^lumo\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || falha "--version: status $STATUS, said '$SAIDA'"
for ruim in "--scale 0" "--scale x" "--scale" "--bogus" "--scale=9"; do
    linha_de_comando $ruim
    primeira=$(head -1 <<<"$ERRO")
    ((STATUS == 2)) || falha "'$ruim' ended with status $STATUS, not 2"
    [[ "$primeira" == *"${ruim%%[ =]*}"* ]] || falha "'$ruim': the first line does not name it: $primeira"
    [[ "$ERRO" == *Usage:* && -z "$SAIDA" ]] || falha "'$ruim': no usage on stderr: $ERRO"
done

TELA_XVFB=1600x1200x24 inicia_x
pasta_com_dados_do_jogo
nivel_sem_contato

inicia_jogo
espera_janela
read -r largura altura < <(xwininfo -id "$JANELA" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[[ "$largura x $altura" == "1280 x 960" ]] || falha "the window on 1600x1200 is $largura x $altura, not 1280 x 960"
classe=$(xprop -id "$JANELA" WM_CLASS)
[[ "$classe" == *'"lumo", "lumo"'* ]] || falha "window class: $classe"
[[ $(xprop -id "$JANELA" WM_NAME) == *'"Lumo"'* ]] || falha "window title: $(xprop -id "$JANELA" WM_NAME)"

# Screenshots taken at factor 2, each block back to one pixel.
foto_reduzida() {
    foto "$1"
    convert "$FOTO" -sample 640x480 "$FOTO"
}
# Until the rectangle of the reduced screenshot matches the expected screen.
espera_reduzida() {
    local segundos=$1 esperada=$2 ate=$((SECONDS + $1))
    shift 2
    while :; do
        foto_reduzida atual
        DIFERENCA=$(diferenca "$esperada" "$@")
        ((DIFERENCA <= LIMIAR)) && return 0
        ((SECONDS < ate)) || return 1
        sleep 0.1
    done
}

menu_esperado menu 0 "$BANNER"
espera_reduzida 10 "$ESPERADA" 0 0 640 480 || falha "the magnified menu scaled down is not the menu (difference $DIFERENCA/1000)"
foto_reduzida menu-fator2
MENU_FATOR2=$FOTO
xdotool mousemove --window "$JANELA" 900 900
espera_ponteiro shown || falha "no pointer over the menu"

# New game at its magnified place, then level 1's button.
menu_esperado escolha 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
for tentativa in 1 2 3; do
    clica 230 354
    espera_reduzida 2 "$ESPERADA" 300 0 50 150 && break
    ((tentativa < 3)) || falha "a click on new game at its magnified place did nothing (difference $DIFERENCA/1000)"
done
fundo_esperado 1
for tentativa in 1 2 3; do
    clica 650 50
    espera_reduzida 2 "${FUNDOS[1]}" 0 70 640 100 && break
    ((tentativa < 3)) || falha "a click on level 1 at its magnified place did not start it (difference $DIFERENCA/1000)"
done

espera_ponteiro hidden || falha "the pointer shows during a game"

# P: the clocks stand still for two seconds and the picture is over the field.
PAUSA=(170 210 300 130)
pausado() {
    foto_reduzida pausa
    ((DIFERENCA_PAUSA = $(diferenca "${FUNDOS[1]}" "${PAUSA[@]}"), DIFERENCA_PAUSA > 150))
}
for tentativa in 1 2 3; do
    tecla p
    for _ in $(seq 20); do pausado && break 2; sleep 0.1; done
    ((tentativa < 3)) || falha "P did not show the pause picture (difference $DIFERENCA_PAUSA/1000 to the field)"
done
convert "$FOTO" -crop 230x30+400+15 +repage "$ARTEFATOS/$NOME_TESTE-relogios1.png"
sleep 2
foto_reduzida pausa2
convert "$FOTO" -crop 230x30+400+15 +repage "$ARTEFATOS/$NOME_TESTE-relogios2.png"
parados=$(compare -metric AE "$ARTEFATOS/$NOME_TESTE-relogios1.png" "$ARTEFATOS/$NOME_TESTE-relogios2.png" null: 2>&1 || true)
[[ "$parados" == 0 ]] || falha "the clocks moved while paused ($parados pixels changed in two seconds)"

# P again: the game goes on and the picture leaves no trace.
for tentativa in 1 2 3; do
    tecla p
    for _ in $(seq 20); do
        foto_reduzida seguindo
        DIFERENCA=$(diferenca "${FUNDOS[1]}" "${PAUSA[@]}")
        ((DIFERENCA <= 40)) && break 2
        sleep 0.1
    done
    ((tentativa < 3)) || falha "after P again the pause picture stayed (difference $DIFERENCA/1000 to the field)"
done
convert "$FOTO" -crop 230x30+400+15 +repage "$ARTEFATOS/$NOME_TESTE-relogios3.png"
sleep 1.5
foto_reduzida seguindo2
convert "$FOTO" -crop 230x30+400+15 +repage "$ARTEFATOS/$NOME_TESTE-relogios4.png"
correndo=$(compare -metric AE "$ARTEFATOS/$NOME_TESTE-relogios3.png" "$ARTEFATOS/$NOME_TESTE-relogios4.png" null: 2>&1 || true)
[[ "$correndo" != 0 ]] || falha "the clocks stand still after resuming"

# Another window taking the keyboard's focus pauses the game too.
xmessage -geometry +1300+1000 "another window" &
OUTRA=$!
outra=$(timeout 10 xdotool search --sync --class Xmessage | head -1)
timeout 5 xdotool windowfocus --sync "$outra" || true
for _ in $(seq 50); do pausado && break; sleep 0.1; done
pausado || falha "losing the focus did not pause the game (difference $DIFERENCA_PAUSA/1000 to the field)"
kill "$OUTRA"

tecla Escape
menu_esperado menu 0 "$BANNER"
espera_reduzida 5 "$ESPERADA" 0 0 640 480 || falha "Escape did not bring the menu back (difference $DIFERENCA/1000)"
espera_ponteiro shown || falha "the pointer did not come back with the menu"
kill -TERM "$JOGO_PID"
espera_fim 10
((STATUS == 0)) || falha "the program ended with status $STATUS"

# --scale 1 on the same large screen: the plain 640x480 window.
OPCOES_JOGO="--scale 1" inicia_jogo
espera_janela
read -r largura altura < <(xwininfo -id "$JANELA" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[[ "$largura x $altura" == "640 x 480" ]] || falha "--scale 1 gave a window of $largura x $altura"
espera_menu 10 || falha "the menu at --scale 1 is not the menu (difference $DIFERENCA/1000)"
foto menu-fator1
pixels=$(compare -metric AE "$FOTO" "$MENU_FATOR2" null: 2>&1 || true)
[[ "$pixels" == 0 ]] || falha "the factor-2 menu scaled down differs from the factor-1 menu in $pixels pixels"
sai_pelo_botao

echo "PASS: command line, title and class, the pointer, 1280x960 on 1600x1200 scaling back to the picture, magnified clicks, pause and resume, pause on focus loss, --scale 1"
