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

# A program still running is killed outright: Allegro's own handler for a
# polite signal can hang once its X server is gone.
encerra() {
    if [[ -n "$JOGO_PID" ]]; then
        pkill -KILL -P "$JOGO_PID" 2>/dev/null || true
        kill -KILL "$JOGO_PID" 2>/dev/null || true
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

# TELA_XVFB: the virtual screen's size (a small one keeps the window at 640x480).
inicia_x() {
    local fd_arquivo="$TRABALHO/.display"
    Xvfb -displayfd 3 -screen 0 "${TELA_XVFB:-800x600x24}" -nolisten tcp 3>"$fd_arquivo" >/dev/null 2>&1 &
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

# The program, or the given command in its place (an installed launcher),
# with the options in OPCOES_JOGO.
inicia_jogo() {
    (cd "$TRABALHO" && exec "${1:-$LUMO_BIN}" ${OPCOES_JOGO:-} >"$TRABALHO/.saida" 2>&1) &
    JOGO_PID=$!
}

# Waits for the game's window and keeps its id in JANELA.
espera_janela() {
    JANELA=""
    for _ in $(seq 100); do
        JANELA=$(xdotool search --name '^[Ll]umo$' 2>/dev/null | head -1 || true)
        [[ -n "$JANELA" ]] && break
        sleep 0.05
    done
    [[ -n "$JANELA" ]] || falha "no game window appeared; program said: $(cat "$TRABALHO/.saida")"
    sleep 0.3  # the first frames
}

# Holds a key long enough for a frame to see it.
tecla() {
    timeout 5 xdotool windowfocus --sync "$JANELA" 2>/dev/null || true
    xdotool keydown "$1"
    sleep "${2:-0.15}"
    xdotool keyup "$1"
}

# A click is the button state a frame sees: hold it about 100 ms, then let
# the menu's five-frame lock-out pass before anything else is clicked.
clica() {
    xdotool mousemove --window "$JANELA" "$1" "$2"
    sleep 0.05
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
    sleep 0.2
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
# Only an xmessage on this test's display counts: other programs on the
# machine may have boxes of their own open.
le_mensagem() {
    local pid="" candidato
    for _ in $(seq 100); do
        for candidato in $(pgrep -x xmessage || true); do
            if tr '\0' '\n' <"/proc/$candidato/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY"; then
                pid=$candidato
                break 2
            fi
        done
        sleep 0.05
    done
    [[ -n "$pid" ]] || falha "no message box appeared"
    # The text is xmessage's last argument; Allegro ends it with a line break.
    local argumentos
    mapfile -d '' argumentos <"/proc/$pid/cmdline"
    MENSAGEM=${argumentos[-1]%$'\n'}
    local caixa=""
    for _ in $(seq 40); do
        caixa=$(xdotool search --class Xmessage 2>/dev/null | head -1 || true)
        [[ -n "$caixa" ]] && break
        sleep 0.05
    done
    if [[ -n "$caixa" ]]; then
        timeout 5 xdotool windowfocus --sync "$caixa" 2>/dev/null || true
        xdotool key --window "$caixa" Return 2>/dev/null || true
    fi
    sleep 0.3
    kill "$pid" 2>/dev/null || true
}

# Draws the screen a check expects into $ARTEFATOS/<test>-<name>.png, kept
# beside a failing screenshot: black 640x480, then each "file x y" (a path
# under the shipped Data/) laid on it in order, PNGs blended by their alpha.
# ESPERADA names the file.
tela_esperada() {
    ESPERADA="$ARTEFATOS/$NOME_TESTE-esperada-$1.png"
    shift
    local argumentos=(-size 640x480 xc:black) item arquivo x y
    for item in "$@"; do
        read -r arquivo x y <<<"$item"
        argumentos+=("$LUMO_SOURCE_DIR/Data/$arquivo" -geometry "+$x+$y" -composite)
    done
    convert "${argumentos[@]}" -alpha off "$ESPERADA"
}

# Mean difference between the last screenshot and an expected screen inside
# the rectangle x y w h, in thousandths of full scale.
diferenca() {
    convert "$FOTO" "$1" -alpha off -crop "${4}x${5}+$2+$3" +repage \
        -compose difference -composite -colorspace gray -format '%[fx:round(1000*mean)]' info:
}

# Screenshots until the rectangle x y w h matches the expected screen (a mean
# difference of at most LIMIAR thousandths) or the seconds run out. DIFERENCA
# keeps the last difference seen, for the failure message.
LIMIAR=${LIMIAR:-12}
INTERVALO_FOTO=${INTERVALO_FOTO:-0.1}  # a slowed-down program wants fewer screenshots
espera_parecida() {
    local segundos=$1 esperada=$2 ate
    shift 2
    ate=$((SECONDS + segundos))
    while :; do
        foto atual
        DIFERENCA=$(diferenca "$esperada" "$@")
        ((DIFERENCA <= LIMIAR)) && return 0
        ((SECONDS < ate)) || return 1
        sleep "$INTERVALO_FOTO"
    done
}

# A click whose effect is checked, clicked again when no frame saw it: a
# frame held up longer than the click by a busy machine misses it. The
# effect is the expected screen in the rectangle; a retry happens only while
# the screen still shows no effect, so a seen click is never doubled.
clica_ate() {
    local x=$1 y=$2 esperada=$3 tentativa
    shift 3
    for tentativa in 1 2 3; do
        clica "$x" "$y"
        espera_parecida 2 "$esperada" "$@" && return 0
        echo "note: click at ($x, $y) not seen yet (difference $DIFERENCA), try $((tentativa + 1))" >&2
    done
    return 1
}

# The shipped menu: its buttons, the pointer's places, the banner.
M=Imagens/Menu
BOTOES=("$M/BNovoJogo.png 0 140" "$M/BRanking.png 0 240" "$M/BAjuda.png 0 340"
        "$M/BCreditos.png 0 390" "$M/BSair.png 480 390")
PONTEIROS=("230 147" "230 247" "230 347" "230 397" "430 397")
BANNER="$M/LMBanner.png 250 50"

# The pointer picture of button b (0 new game .. 4 exit) at its place.
ponteiro() {
    local imagem=escolhaFeliz.png
    (($1 == 4)) && imagem=escolhaTriste.png
    echo "$M/$imagem ${PONTEIROS[$1]}"
}

# The menu with button b marked and the given panel drawings; into ESPERADA.
menu_esperado() {
    local nome=$1 b=$2
    shift 2
    tela_esperada "$nome" "${BOTOES[@]}" "$@" "$(ponteiro "$b")"
}

# Level n's picture under the panel band, as a game starts: FUNDOS[n].
FUNDOS=()
fundo_esperado() {
    [[ -n "${FUNDOS[$1]:-}" ]] && return
    tela_esperada "nivel$1" "Imagens/Niveis/0$1.jpg 0 0" "Imagens/interface.png 0 0"
    FUNDOS[$1]=$ESPERADA
}

# Whether the playfield of the last screenshot shows level n's picture, the
# moving pictures aside, and not another level's. DIFERENCA is the difference
# to level n's picture, OUTRA to the closest other one.
CAMPO=(0 70 640 410)
no_fundo_do_nivel() {
    local n=$1 outro d
    OUTRA=1000
    for outro in 1 2 3; do
        fundo_esperado "$outro"
        d=$(diferenca "${FUNDOS[outro]}" "${CAMPO[@]}")
        if ((outro == n)); then DIFERENCA=$d; elif ((d < OUTRA)); then OUTRA=$d; fi
    done
    ((DIFERENCA <= 25 && OUTRA > 2 * DIFERENCA))
}

# From the menu: opens the level chooser and starts level n, clicking again
# while the menu still shows (a click a held-up frame missed).
escolhe_nivel() {
    local n=$1
    menu_esperado escolha 0 "B01.jpg 300 0" "B02.jpg 300 50" "B03.jpg 300 100" "$BANNER"
    clica_ate 115 177 "$ESPERADA" 300 0 50 150 ||
        falha "new game did not open the level chooser (difference $DIFERENCA/1000)"
    for _ in 1 2 3; do
        clica 325 $((50 * n - 25))
        for _ in $(seq 20); do
            foto nivel$n
            no_fundo_do_nivel "$n" && return 0
            sleep 0.1
        done
    done
    falha "level $n did not start on its background: difference $DIFERENCA/1000 to its picture, $OUTRA/1000 to another level's"
}

# Whether the whole window shows the menu with the banner (the pointer at new
# game, as on every entry), waiting up to the given seconds.
espera_menu() {
    menu_esperado menu 0 "$BANNER"
    espera_parecida "$1" "$ESPERADA" 0 0 640 480
}

# Starts the program (or the given one) and waits for its menu.
abre_menu() {
    inicia_jogo "$@"
    espera_janela
    espera_menu 5 || falha "the menu did not show (difference $DIFERENCA/1000)"
}

# Escape ends the game; pressed again if a held-up frame missed it (the menu
# reads no key, so a second press cannot do harm there).
termina_com_escape() {
    tecla Escape
    espera_menu 3 && return 0
    tecla Escape
    espera_menu 3 || falha "Escape did not bring the menu back (difference $DIFERENCA/1000)"
}

# The rank file the checks read: the game's, in its working folder.
RANK_TXT="$TRABALHO/rank.txt"

# Every line of rank.txt on one line, for messages.
rank_em_linha() { tr '\n' '|' <"$RANK_TXT"; }

# The ranking panel as rank.txt says it should look, lowest time first: each
# row two digits, the separator and two digits. Opens it with a click on the
# ranking button.
abre_ranking() {
    local k m s y digitos=()
    [[ -f "$RANK_TXT" ]] || falha "no $RANK_TXT to compare the ranking panel with"
    mapfile -t RANK < <(sort -n -k1,1 -k2,2 "$RANK_TXT")
    for k in $(seq 0 9); do
        read -r m s <<<"${RANK[k]}"
        y=$((114 + 20 * k))
        digitos+=("Imagens/numeros/0$((m / 10)).png 330 $y" "Imagens/numeros/0$((m % 10)).png 346 $y"
                  "Imagens/numeros/P.png 362 $y"
                  "Imagens/numeros/0$((s / 10)).png 378 $y" "Imagens/numeros/0$((s % 10)).png 394 $y")
    done
    menu_esperado ranking 1 "$M/rank.png 250 50" "${digitos[@]}"
    clica_ate 115 277 "$ESPERADA" 250 50 390 320 ||
        falha "the ranking panel did not open as rank.txt says ($(rank_em_linha)): difference $DIFERENCA/1000"
}

# Row by row, so that a failure names the row: one wrong digit differs by 15
# or more thousandths, the right ones by 0 or 1.
confere_ranking() {
    local k
    for k in $(seq 0 9); do
        DIFERENCA=$(diferenca "$ESPERADA" 330 $((114 + 20 * k)) 80 21)
        ((DIFERENCA <= 5)) || falha "ranking row $((k + 1)) does not show '${RANK[k]}' of rank.txt (difference $DIFERENCA/1000)"
    done
}

# A level 1 file in the working folder where nothing can touch anything:
# every collision radius 0, the enemies still, the walls in the panel band
# where no object goes. The player starts at (300, 240) heading right at
# speed 5; the item waits at (560, 420), out of its lane.
nivel_sem_contato() {
    cat >"$TRABALHO/01.txt" <<'NIVEL'
300 240 5 0 0 5
560 420 0 0 0 5
40 420 0 0 0 5   120 420 0 0 0 5   200 420 0 0 0 5   280 420 0 0 0 5
0 0 10 10   20 0 30 10   40 0 50 10   60 0 70 10
NIVEL
}

# The face's place in the last screenshot: the box of what differs from
# level 1's picture in the rows 70..399 (the item and the enemies wait
# lower down), as "x y width", or nothing when nothing differs. A face
# cut by the window's edge, or in two parts wrapping round, is not 36 to 40
# pixels wide.
rosto() {
    fundo_esperado 1
    convert "$FOTO" "${FUNDOS[1]}" -alpha off -crop 640x330+0+70 +repage -compose difference -composite \
        -colorspace gray -threshold 15% -trim -format '%X %Y %w' info: |
        awk '$3 > 1 { printf "%d %d %d\n", $1, $2 + 70, $3 }'
}

# The exit button ends the program with status 0; clicked again while the
# program still runs some seconds later (2 unless given: a click a held-up
# frame missed).
sai_pelo_botao() {
    local segundos=${1:-2}
    for _ in 1 2 3; do
        clica 560 427
        for _ in $(seq $((segundos * 20))); do
            kill -0 "$JOGO_PID" 2>/dev/null || break 2
            sleep 0.05
        done
    done
    espera_fim $((segundos + 3))
    ((STATUS == 0)) || falha "the exit button ended the program with status $STATUS, not 0"
}
