#!/bin/sh
# Sets up a Debian 12 machine, builds the game and starts it in the player's
# game folder (save slots land there, never in the repository).
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
"$REPO/tools/setup.sh"
cmake -S "$REPO" -B "$REPO/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
cmake --build "$REPO/build" -j "$(nproc)"
GAME_DIR=${VELMORA_GAME_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/velmora}
mkdir -p "$GAME_DIR"
# The shipped data is refreshed; the player's save slots are never touched.
find "$REPO/data" -maxdepth 1 -type f -exec cp --remove-destination {} "$GAME_DIR/" \;
cp --remove-destination "$REPO/data/story/storymap.txt" "$GAME_DIR/"
cd "$GAME_DIR"
if [ "${1:-}" = "--tty" ]; then exec "$REPO/build/velmora-tty"; fi
exec "$REPO/build/velmora"
