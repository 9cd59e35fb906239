#!/usr/bin/env bash
# Takes the README's pictures from the real game under a private Xvfb:
# the menu and each level six seconds into a game, into docs/images/.
# Needs a built build/lumo and the window-test tools (scripts/setup.sh --tests).
set -euo pipefail
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
export LUMO_BIN="$RAIZ/build/lumo" LUMO_SOURCE_DIR="$RAIZ" LUMO_ARTEFATOS="$RAIZ/build/artefatos"
[[ -x "$LUMO_BIN" ]] || { echo "build the game first: scripts/setup.sh --tests" >&2; exit 1; }
source "$RAIZ/tests/e2e/lib.sh"
SAIDA="$RAIZ/docs/images"
mkdir -p "$SAIDA"

inicia_x
pasta_com_dados_do_jogo
inicia_jogo
espera_janela
espera_menu 5 || falha "the menu did not show"
xdotool mousemove --window "$JANELA" 115 370  # the pointer beside help
sleep 0.5
import -window "$JANELA" "$SAIDA/menu.png"

# Six seconds in: the Coco has come in and the face is still smiling. A game
# that a Coco's jump cut short is played again.
for n in 1 2 3; do
    for tentativa in 1 2 3; do
        escolhe_nivel "$n"
        sleep 6
        foto nivel$n
        cp "$FOTO" "$SAIDA/nivel$n.png"
        no_fundo_do_nivel "$n" && tentativa=ok
        termina_com_escape
        [[ $tentativa == ok ]] && break
    done
    [[ $tentativa == ok ]] || falha "three games of level $n ended before their picture"
done
sai_pelo_botao
echo "written: $(cd "$SAIDA" && echo *.png)"
