#!/usr/bin/env bash
# Fullscreen: Alt+Enter switches to the whole screen with the picture
# magnified and centred on black, clicks on the picture work and clicks on
# the border do nothing; the choice is kept in lumo.cfg (its other settings
# untouched); Alt+Enter again brings the window back. --fullscreen starts in
# it without saving anything.
source "$(dirname "$0")/lib.sh"

TELA_XVFB=1600x1200x24 inicia_x
pasta_com_dados_do_jogo
printf '[sound]\nmute = 1\n' >"$TRABALHO/lumo.cfg"

alt_enter() {
    timeout 5 xdotool windowfocus --sync "$JANELA" 2>/dev/null || true
    xdotool keydown alt keydown Return
    sleep 0.15
    xdotool keyup Return keyup alt
}
# Whether a window covers the whole screen.
tela_cheia() { xwininfo -root -tree | grep -q ' 1600x1200+0+0 '; }
espera() {
    local ate=$((SECONDS + 5))
    until "$@"; do
        ((SECONDS < ate)) || return 1
        sleep 0.1
    done
}
# The whole screen, the picture's part of it brought back to 640x480.
foto_da_tela() {
    FOTO="$ARTEFATOS/$NOME_TESTE-$1.png"
    import -window root "$FOTO"
    BORDA=$(convert "$FOTO" -crop 160x1200+0+0 +repage -format '%[fx:round(1000*maxima)]' info:)
    convert "$FOTO" -crop 1280x960+160+120 +repage -sample 640x480 "$FOTO"
}
espera_na_tela() {
    local esperada=$1 ate=$((SECONDS + 5))
    shift
    while :; do
        foto_da_tela "$NOME_FOTO"
        DIFERENCA=$(diferenca "$esperada" "$@")
        ((DIFERENCA <= LIMIAR)) && return 0
        ((SECONDS < ate)) || return 1
        sleep 0.1
    done
}

inicia_jogo
espera_janela
menu_esperado menu 0 "$BANNER"
menu_na_janela() {
    foto janela
    convert "$FOTO" -sample 640x480 "$FOTO"
    DIFERENCA=$(diferenca "$ESPERADA" 0 0 640 480)
    ((DIFERENCA <= LIMIAR))
}
espera menu_na_janela || falha "the menu did not show (difference $DIFERENCA/1000)"
for tentativa in 1 2 3; do
    alt_enter
    espera tela_cheia && break
    ((tentativa < 3)) || falha "Alt+Enter did not go fullscreen"
done
menu_esperado menu 0 "$BANNER"
NOME_FOTO=cheia espera_na_tela "$ESPERADA" 0 0 640 480 ||
    falha "fullscreen does not show the whole menu magnified (difference $DIFERENCA/1000)"
((BORDA == 0)) || falha "the border left of the picture is not black"
grep -q '^fullscreen = 1$' "$TRABALHO/lumo.cfg" || falha "lumo.cfg does not keep fullscreen: $(cat "$TRABALHO/lumo.cfg")"
grep -q '^mute = 1$' "$TRABALHO/lumo.cfg" || falha "lumo.cfg lost [sound] mute: $(cat "$TRABALHO/lumo.cfg")"

# A click on the black border does nothing: had it reached new game, as a
# mapping that forgot the border would, the click on new game that follows
# would close the chooser again.
xdotool mousemove 100 354 mousedown 1
sleep 0.15
xdotool mouseup 1
menu_esperado escolha 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
for tentativa in 1 2 3; do
    xdotool mousemove 390 474 mousedown 1
    sleep 0.1
    xdotool mouseup 1
    NOME_FOTO=escolha espera_na_tela "$ESPERADA" 300 0 50 150 && break
    ((tentativa < 3)) || falha "a click on new game in fullscreen did nothing (difference $DIFERENCA/1000)"
done

for tentativa in 1 2 3; do
    alt_enter
    espera eval '! tela_cheia' && break
    ((tentativa < 3)) || falha "Alt+Enter did not leave fullscreen"
done
read -r largura altura < <(xwininfo -id "$JANELA" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[[ "$largura x $altura" == "1280 x 960" ]] || falha "back from fullscreen the window is $largura x $altura"
grep -q '^fullscreen = 0$' "$TRABALHO/lumo.cfg" || falha "lumo.cfg still says fullscreen: $(cat "$TRABALHO/lumo.cfg")"
kill -TERM "$JOGO_PID"
espera_fim 10

# --fullscreen starts in it and saves nothing.
cp "$TRABALHO/lumo.cfg" "$TRABALHO/lumo.antes"
OPCOES_JOGO=--fullscreen inicia_jogo
espera tela_cheia || falha "--fullscreen did not start in fullscreen"
menu_esperado menu 0 "$BANNER"
NOME_FOTO=inicio espera_na_tela "$ESPERADA" 0 0 640 480 || falha "--fullscreen does not show the menu (difference $DIFERENCA/1000)"
kill -TERM "$JOGO_PID"
espera_fim 10
((STATUS == 0)) || falha "status $STATUS after SIGTERM in fullscreen"
cmp -s "$TRABALHO/lumo.cfg" "$TRABALHO/lumo.antes" || falha "--fullscreen changed lumo.cfg"

echo "PASS: Alt+Enter to fullscreen and back, the picture centred on black, border clicks ignored, lumo.cfg kept whole, --fullscreen"
