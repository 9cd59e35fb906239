#!/bin/sh
# Starts the installed Lumo in a folder of the player's own, where the game
# keeps "rank.txt". The pictures and level files there are links to the
# installed ones, so an upgrade brings the new ones and keeps the ranking.
# A level file the player put there in place of a link is left alone.
set -eu

prefix=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
data="$prefix/share/games/lumo"

# XDG_DATA_HOME counts only when it is an absolute path.
case "${XDG_DATA_HOME:-}" in
    /*) folder="$XDG_DATA_HOME/lumo" ;;
    *) folder="${HOME:?}/.local/share/lumo" ;;
esac
mkdir -p "$folder"
for item in Data 01.txt 02.txt 03.txt; do
    if [ -L "$folder/$item" ] || [ ! -e "$folder/$item" ]; then
        ln -sfn "$data/$item" "$folder/$item"
    fi
done

cd "$folder"
exec "$prefix/lib/games/lumo/lumo" "$@"
