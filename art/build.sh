#!/bin/sh
# Rebuilds every picture under Data/ from art/lumo_art.py and the level files.
# Usage: art/build.sh [--preview]   (run from anywhere; writes into the repository)
# --preview also composes full screens into build/art-preview/ (git-ignored).
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
CONVERT=/usr/bin/convert

missing=""
command -v python3 >/dev/null 2>&1 || missing="$missing python3"
command -v rsvg-convert >/dev/null 2>&1 || missing="$missing rsvg-convert(librsvg2-bin)"
[ -x "$CONVERT" ] || missing="$missing /usr/bin/convert(imagemagick)"
command -v fc-list >/dev/null 2>&1 || missing="$missing fc-list(fontconfig)"
if [ -z "$missing" ]; then
    fc-list | grep -q "ComicNeue-Bold" || missing="$missing Comic-Neue-font(fonts-comic-neue)"
    fc-list | grep -q "DejaVuSans-Bold.ttf" || missing="$missing DejaVu-Sans-font(fonts-dejavu-core)"
fi
if [ -n "$missing" ]; then
    echo "art/build.sh: missing:$missing" >&2
    echo "Install them with apt-get (Debian package names in brackets) and run again." >&2
    exit 1
fi

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

python3 "$ROOT/art/lumo_art.py" "$ROOT" "$TMP/svg"

# No dates, gamma or background chunks: the same sources give the same bytes,
# and loadpng shows the colours exactly as drawn.
png_out() {
    "$CONVERT" "$1" -strip +set date:create +set date:modify \
        -define png:exclude-chunks=date,time,gAMA,cHRM,bKGD,sRGB,iCCP,tEXt,zTXt,iTXt,tIME \
        "PNG32:$2"
}

cd "$ROOT"
while read -r svg w h target kind x y; do
    mkdir -p "$(dirname "$target")"
    raw="$TMP/raw.png"
    rsvg-convert -w "$w" -h "$h" -o "$raw" "$svg"
    case "$kind" in
    svg)
        cp "$svg" "$target" ;;
    png)
        png_out "$raw" "$target" ;;
    jpg)
        "$CONVERT" "$raw" -background black -alpha remove -alpha off -strip \
            -sampling-factor 4:4:4 -quality 94 -interlace none "JPEG:$target" ;;
    clock)
        # Fully opaque: the clock laid over its own patch of the panel band, so
        # blending frame over frame never leaves a half-transparent edge.
        "$CONVERT" Data/Imagens/interface.png -crop "${w}x${h}+${x}+${y}" +repage \
            "$raw" -compose over -composite -alpha off "$TMP/clock.png"
        png_out "$TMP/clock.png" "$target" ;;
    esac
done < "$TMP/svg/manifest.txt"

echo "art/build.sh: $(wc -l < "$TMP/svg/manifest.txt") pictures written (Data/ and the icon art/lumo.png)"

if [ "${1:-}" = "--preview" ]; then
    sh "$ROOT/art/preview.sh"
fi
