#!/bin/sh
# Composes the screens as the game draws them, from the pictures under Data/,
# into build/art-preview/ (git-ignored): a quick look at the art in place.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
CONVERT=/usr/bin/convert
[ -x "$CONVERT" ] || { echo "art/preview.sh: missing /usr/bin/convert (imagemagick)" >&2; exit 1; }
OUT="$ROOT/build/art-preview"
mkdir -p "$OUT"
cd "$ROOT"

M=Data/Imagens/Menu
N=Data/Imagens/numeros
R=Data/Imagens/Relogio
P=Data/Imagens/Personagens

# at FILE X Y: one "place this picture here" step for convert.
at() { printf '%s -geometry +%s+%s -composite ' "$1" "$2" "$3"; }

buttons() {
    at $M/BNovoJogo.png 0 140; at $M/BRanking.png 0 240; at $M/BAjuda.png 0 340
    at $M/BCreditos.png 0 390; at $M/BSair.png 480 390
}

# digits SET X Y MM SS: a clock value as the game draws it (set "" or "v").
digits() {
    set_=$1; x=$2; y=$3; mm=$4; ss=$5
    sep=P; [ "$set_" = v ] && sep=Pv
    at $N/0$(echo "$mm" | cut -c1)$set_.png "$x" "$y"
    at $N/0$(echo "$mm" | cut -c2)$set_.png $((x + 16)) "$y"
    at $N/$sep.png $((x + 32)) "$y"
    at $N/0$(echo "$ss" | cut -c1)$set_.png $((x + 48)) "$y"
    at $N/0$(echo "$ss" | cut -c2)$set_.png $((x + 64)) "$y"
}

screen() { name=$1; shift; eval "$CONVERT -size 640x480 xc:black $* $OUT/$name.png"; }

screen menu "$(buttons) $(at $M/LMBanner.png 250 50) $(at $M/escolhaFeliz.png 230 147)"
screen menu-levels "$(buttons) $(at Data/B01.jpg 300 0) $(at Data/B02.jpg 300 50) $(at Data/B03.jpg 300 100) \
    $(at $M/LMBanner.png 250 50) $(at $M/escolhaFeliz.png 230 147)"
rows=""
k=0
for t in 0012 0035 0048 0101 0122 0140 0205 0233 0317 1259; do
    rows="$rows $(digits "" 330 $((114 + 20 * k)) "$(echo $t | cut -c1-2)" "$(echo $t | cut -c3-4)")"
    k=$((k + 1))
done
screen menu-ranking "$(buttons) $(at $M/rank.png 250 50) $rows $(at $M/escolhaFeliz.png 230 247)"
for p in 1 2 3 4; do
    screen menu-help$p "$(buttons) $(at $M/ajuda0$p.jpg 250 50) $(at $M/escolhaFeliz.png 230 347)"
done
screen menu-credits "$(buttons) $(at $M/creditos.jpg 200 0) $(at $M/escolhaFeliz.png 230 397)"
screen menu-exit "$(buttons) $(at $M/LMBanner.png 250 50) $(at $M/escolhaTriste.png 430 397)"

# Play screens: every sprite at its start place from the level file.
for nr in 1 2 3; do
    set -- $(cat 0$nr.txt)
    sprites="$(at $P/smile.png "$1" "$2") $(at Data/Imagens/Itens/iTV.png "$7" "$8")"
    sprites="$sprites $(at $P/coco.png "${13}" "${14}") $(at $P/esposa.png "${19}" "${20}")"
    sprites="$sprites $(at $P/gangster.png "${25}" "${26}") $(at $P/ladrao.png "${31}" "${32}")"
    # The other pictures that can appear on the field, set down in the open.
    extra="$(at $P/smileTriste.png 40 440) $(at Data/Imagens/Itens/iDinheiro.png 470 90)"
    extra="$extra $(at Data/Imagens/Itens/iBola.png 300 420) $(at Data/Imagens/Itens/iPlayboy.png 170 90)"
    extra="$extra $(at Data/Imagens/Itens/iCerveja.png 600 250)"
    panel="$(at $R/yClock0$((nr + 1)).png 350 12) $(at $R/rClock0$((nr + 1)).png 500 12)"
    panel="$panel $(digits "" 400 20 01 37) $(digits v 550 20 00 09) $(at $N/0$((nr + 1)).png 75 20)"
    screen level$nr "$(at Data/Imagens/Niveis/0$nr.jpg 0 0) $(at Data/Imagens/interface.png 0 0) \
        $sprites $extra $panel"
done
screen speed-max "$(at Data/Imagens/Niveis/01.jpg 0 0) $(at Data/Imagens/interface.png 0 0) \
    $(at $R/yClock07.png 350 12) $(at $R/rClock07.png 500 12) $(digits "" 400 20 12 59) \
    $(digits v 550 20 01 42) $(at $N/00v.png 75 20)"

# Every sprite and icon enlarged four times, on the three floors.
for nr in 1 2 3; do
    floor=$($CONVERT Data/Imagens/Niveis/0$nr.jpg -crop 1x1+2+470 -format '%[pixel:p{0,0}]' info:)
    $CONVERT -background "$floor" $P/smile.png $P/smileTriste.png $P/coco.png $P/esposa.png \
        $P/gangster.png $P/ladrao.png Data/Imagens/Itens/*.png -gravity center -extent 50x52 \
        +append -filter point -resize 400% "$OUT/sprites$nr.png"
done
$CONVERT -background "#262a52" $N/0[0-9].png $N/P.png $N/0[0-9]v.png $N/Pv.png +append \
    -filter point -resize 400% "$OUT/digits.png"
$CONVERT $R/yClock0*.png $R/rClock0*.png +append -filter point -resize 300% "$OUT/clocks.png"
# The game-over card as the summary lays it out: fate line, the level's best
# and note, the two buttons with the focus on one.
S=Data/Imagens/Summary
card() {  # card FATE NOTE FOCUS_X: the card at (160, 135) over level 1
    x=160; y=135
    printf '%s ' "$(at $S/card.png $x $y) $(at $P/smile.png $((x + 14)) $((y + 10)))"
    printf '%s ' "$(at $S/time_up.png $((x + 20)) $((y + 54))) $(digits "" $((x + 208)) $((y + 89)) 01 37)"
    printf '%s ' "$(at $S/$1.png $((x + 20)) $((y + 124))) $(at $S/best_label.png $((x + 20)) $((y + 164)))"
    printf '%s ' "$(digits "" $((x + 208)) $((y + 171)) 01 37) $(at $S/$2.png $((x + 20)) $((y + 202)))"
    printf '%s ' "$(at $S/play_again.png $((x + 20)) $((y + 246))) $(at $S/menu.png $((x + 164)) $((y + 246)))"
    at $S/focus.png $((x + $3)) $((y + 246))
}
screen summary "$(at Data/Imagens/Niveis/01.jpg 0 0) $(at Data/Imagens/interface.png 0 0) \
    $(card place level_best 20) $(at $N/03.png 375 266) $(at $S/best.png 392 141)"
screen summary-saving "$(at Data/Imagens/Niveis/02.jpg 0 0) $(at Data/Imagens/interface.png 0 0) \
    $(card saving first_game 164)"

# The open chooser: the banner gives way to each level's name and best time.
rows=""
for n in 0 1 2; do
    rows="$rows $(at Data/B0$((n + 1)).jpg 300 $((50 * n))) $(at $M/level_$(echo park pool plaza | cut -d' ' -f$((n + 1))).png 404 $((50 * n + 11)))"
done
screen chooser "$(buttons) $rows $(digits "" 540 15 01 37) $(digits "" 540 65 00 48) \
    $(at $M/no_best.png 540 115) $(at $M/choose_level.png 62 3) $(at $M/escolhaFeliz.png 350 50) \
    $(at $M/escolhaFeliz.png 230 147)"

# The count-in centred on the playfield, the pause card with its lines, and
# the marks at the face: every feedback frame and the heading marker all round.
C=Data/Imagens/CountIn
K=Data/Imagens/Marks
for nr in 1 2 3; do
    $CONVERT "$OUT/level$nr.png" $C/ready.png -geometry +170+220 -composite "$OUT/ready$nr.png"
    $CONVERT "$OUT/level$nr.png" $C/go.png -geometry +230+220 -composite "$OUT/go$nr.png"
done
Q=Data/Imagens/Pause
screen pause-pad-lost "$(at $OUT/level3.png 0 0) $(at Data/Imagens/paused.png 170 200) \
    $(at $Q/resume_key.png 282 276) $(at $Q/pad_lost.png 186 312)"
screen pause-pad "$(at $OUT/level1.png 0 0) $(at Data/Imagens/paused.png 170 200) $(at $Q/resume_pad.png 282 276)"
for nr in 1 2 3; do
    marks=""
    k=0
    for m in wall00 wall01 wall02 hit00 hit01 hit02 item00 item01 item02; do
        x=$((20 + 70 * (k % 9))); marks="$marks $(at $P/smile.png $((x + 12)) 112) $(at $K/$m.png $x 100)"
        k=$((k + 1))
    done
    for i in $(seq 0 15); do
        a=$(awk "BEGIN { print $i * 22.5 * 3.14159265 / 180 }")
        cx=$(awk "BEGIN { printf \"%d\", 80 + 70 * ($i % 8) + 27 * cos($a) - 8 }")
        cy=$(awk "BEGIN { printf \"%d\", 230 + 90 * int($i / 8) + 27 * sin($a) - 8 }")
        marks="$marks $(at $P/smile.png $((60 + 70 * (i % 8))) $((210 + 90 * (i / 8)))) $(at $K/heading$(printf %02d $i).png $cx $cy)"
    done
    $CONVERT Data/Imagens/Niveis/0$nr.jpg $(eval echo "$marks") -crop 640x410+0+70 +repage \
        -filter point -resize 150% "$OUT/marks$nr.png"
done
echo "art/preview.sh: screens written to build/art-preview/"
