#!/usr/bin/env bash
# Sets up, builds and starts the game from the repository root, where Data/
# and the level files are.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/lumo
