# Shared steps of the window tests: a private virtual X server, a scratch
# working folder, the real program, real input through XTest, and screenshots
# read back pixel by pixel. Sourced by tests/e2e/test_*.sh.
set -euo pipefail

: "${LUMO_BIN:?}" "${LUMO_SOURCE_DIR:?}"
ARTEFATOS=${LUMO_ARTEFATOS:-/tmp/lumo-artefatos}
NOME_TESTE=$(basename "$0" .sh)
mkdir -p "$ARTEFATOS"
TRABALHO=$(mktemp -d /tmp/lumo-e2e-XXXXXX)
XVFB_PID=""
JOGO_PID=""

encerra() {
    if [[ -n "$JOGO_PID" ]]; then
        pkill -P "$JOGO_PID" 2>/dev/null || true
        kill "$JOGO_PID" 2>/dev/null || true
    fi
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    chmod -R u+w "$TRABALHO" 2>/dev/null || true
    rm -rf "$TRABALHO"
}
trap encerra EXIT

falha() {
    echo "FAIL ($NOME_TESTE): $*" >&2
    if [[ -n "${JANELA:-}" ]]; then
        import -window root "$ARTEFATOS/$NOME_TESTE-falha.png" 2>/dev/null &&
            echo "screenshot kept: $ARTEFATOS/$NOME_TESTE-falha.png" >&2
    fi
    exit 1
}

inicia_x() {
    local fd_arquivo="$TRABALHO/.display"
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$fd_arquivo" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [[ -s "$fd_arquivo" ]] && break
        sleep 0.05
    done
    [[ -s "$fd_arquivo" ]] || falha "Xvfb did not start"
    export DISPLAY=":$(head -1 "$fd_arquivo")"
}

# A working folder with flat-coloured test images and the given level text.
pasta_com_imagens_de_teste() {
    (cd "$TRABALHO" && "$LUMO_CRIA_IMAGENS")
}

# A working folder with the shipped Data/ and level files.
pasta_com_dados_do_jogo() {
    cp -r "$LUMO_SOURCE_DIR/Data" "$TRABALHO/"
    cp "$LUMO_SOURCE_DIR"/0[123].txt "$TRABALHO/"
}

inicia_jogo() {
    (cd "$TRABALHO" && exec "$LUMO_BIN" >"$TRABALHO/.saida" 2>&1) &
    JOGO_PID=$!
}

# Waits for the game's window and keeps its id in JANELA.
espera_janela() {
    JANELA=""
    for _ in $(seq 100); do
        JANELA=$(xdotool search --name '^lumo$' 2>/dev/null | head -1 || true)
        [[ -n "$JANELA" ]] && break
        sleep 0.05
    done
    [[ -n "$JANELA" ]] || falha "no game window appeared; program said: $(cat "$TRABALHO/.saida")"
    sleep 0.3  # the first frames
}

# Holds a key long enough for a frame to see it.
tecla() {
    xdotool windowfocus --sync "$JANELA" 2>/dev/null || true
    xdotool keydown "$1"
    sleep "${2:-0.15}"
    xdotool keyup "$1"
}

# A click is the button state a frame sees: hold it about 100 ms.
clica() {
    xdotool mousemove --window "$JANELA" "$1" "$2"
    sleep 0.05
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

# Screenshot of the game window into $ARTEFATOS/<name>.png.
foto() {
    import -window "$JANELA" "$ARTEFATOS/$NOME_TESTE-$1.png"
    FOTO="$ARTEFATOS/$NOME_TESTE-$1.png"
}

# "r g b" of one pixel of the last screenshot.
pixel() {
    convert "$FOTO" -crop "1x1+$1+$2" -depth 8 txt:- |
        sed -n '2s/.*srgb(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p'
}

# Whether the pixel is within a few steps per channel of "r g b".
pixel_perto() {
    local x=$1 y=$2 esperado=$3 visto
    visto=$(pixel "$x" "$y")
    read -r r g b <<<"$visto"
    read -r er eg eb <<<"$esperado"
    local d
    for d in $((r - er)) $((g - eg)) $((b - eb)); do
        ((d >= -6 && d <= 6)) || { echo "$visto"; return 1; }
    done
}

# Waits for the program to end; its status lands in STATUS.
espera_fim() {
    local limite=${1:-10}
    for _ in $(seq $((limite * 20))); do
        kill -0 "$JOGO_PID" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$JOGO_PID" 2>/dev/null && falha "the program is still running after ${limite}s"
    set +e
    wait "$JOGO_PID"
    STATUS=$?
    set -e
    JOGO_PID=""
}

# Finds the message box the program opened, reads its text and closes it.
le_mensagem() {
    local pid=""
    for _ in $(seq 100); do
        pid=$(pgrep -x xmessage | head -1 || true)
        [[ -n "$pid" ]] && break
        sleep 0.05
    done
    [[ -n "$pid" ]] || falha "no message box appeared"
    # The text is xmessage's last argument; Allegro ends it with a line break.
    local argumentos
    mapfile -d '' argumentos <"/proc/$pid/cmdline"
    MENSAGEM=${argumentos[-1]%$'\n'}
    local caixa
    caixa=$(xdotool search --sync --class Xmessage 2>/dev/null | head -1 || true)
    if [[ -n "$caixa" ]]; then
        xdotool windowfocus --sync "$caixa" 2>/dev/null || true
        xdotool key --window "$caixa" Return 2>/dev/null || true
    fi
    sleep 0.3
    kill "$pid" 2>/dev/null || true
}
