#!/usr/bin/env bash
# Missing files with the shipped pictures: a level file missing or cut short
# is named in a message and the menu stays, still working; an image missing
# is named in a message and the program ends with a failing status.
source "$(dirname "$0")/lib.sh"

inicia_x
pasta_com_dados_do_jogo
rm "$TRABALHO/02.txt"
head -c 60 "$LUMO_SOURCE_DIR/03.txt" >"$TRABALHO/03.txt"  # a few numbers only
abre_menu

for n in 2 3; do
    menu_esperado escolha 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
    clica_ate 115 177 "$ESPERADA" 300 0 50 150 || falha "new game did not open the level chooser (difference $DIFERENCA/1000)"
    clica 325 $((50 * n - 25))
    le_mensagem
    [[ "$MENSAGEM" == "0$n.txt could not be read" ]] || falha "the message for level $n was '$MENSAGEM'"
    kill -0 "$JOGO_PID" 2>/dev/null || falha "the program ended after the message for level $n"
    # The chooser closed, so a click still held cannot try the level again.
    espera_menu 5 || falha "after the message for level $n the menu is not back with the chooser closed (difference $DIFERENCA/1000)"
done

# The menu still works: level 1 is there.
escolhe_nivel 1
termina_com_escape
sai_pelo_botao

# One picture missing or damaged: its name in the message, no window, a
# failing status, and the program never crashes or hangs on it.
estraga() {
    local imagem=$1 modo=$2 arquivo="$TRABALHO/Data/$1"
    cp "$arquivo" "$TRABALHO/guardada"
    case $modo in
        falta) rm "$arquivo" ;;
        vazia) : >"$arquivo" ;;
        cortada) head -c "$(($(stat -c %s "$TRABALHO/guardada") / 2))" "$TRABALHO/guardada" >"$arquivo" ;;
        trocada) cp "$LUMO_SOURCE_DIR/Data/Imagens/Personagens/smile.png" "$arquivo" ;;  # PNG bytes in a .jpg
    esac
}
for caso in "Imagens/Niveis/03.jpg falta" "Imagens/Menu/LMBanner.png falta" \
            "Imagens/Personagens/coco.png vazia" "Imagens/numeros/07v.png cortada" \
            "B02.jpg trocada" "Imagens/Menu/ajuda02.jpg cortada"; do
    read -r imagem modo <<<"$caso"
    estraga "$imagem" "$modo"
    inicia_jogo
    le_mensagem
    case $imagem in
        */LMBanner.png) esperada="LMBanner. not found" ;;  # reported without its extension, as it always was
        *) esperada="$(basename "$imagem") not found" ;;
    esac
    [[ "$MENSAGEM" == "$esperada" ]] || falha "with $imagem $modo the message was '$MENSAGEM', not '$esperada'"
    espera_fim 10
    ((STATUS != 0 && STATUS < 128)) || falha "with $imagem $modo the program ended with status $STATUS"
    mv "$TRABALHO/guardada" "$TRABALHO/Data/$imagem"
done

echo "PASS: missing and short level files named, menu kept; missing or damaged pictures named, failing status"
