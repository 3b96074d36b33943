#!/bin/sh
# Sets up a Debian 12 machine, builds the game and starts it in the player's
# game folder (save slots land there, never in the repository).
#
#   sh tools/play.sh            the game in its window
#   sh tools/play.sh --tty      the same game in the terminal (velmora-tty)
#   sh tools/play.sh --check [--tty]
#       the same steps with a fresh game folder (build/play-check) instead of
#       the player's; the window program ends once its title window is
#       painted. The test command runs both (tools/play_check.sh).
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$REPO/build
TTY="" CHECK=""
for arg in "$@"; do
    case $arg in
    --tty) TTY=1 ;;
    --check) CHECK=1 ;;
    *) echo "usage: sh tools/play.sh [--tty] [--check]" >&2; exit 2 ;;
    esac
done
"$REPO/tools/setup.sh" play
cmake -S "$REPO" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
cmake --build "$BUILD" -j "$(nproc)"
if [ -n "$CHECK" ]; then
    GAME_DIR=$BUILD/play-check
    rm -rf "$GAME_DIR"
else
    GAME_DIR=${VELMORA_GAME_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/velmora}
fi
mkdir -p "$GAME_DIR"
# The shipped data is refreshed; the player's save slots are never touched.
# (With "+" a file that cannot be copied fails the start.)
find "$REPO/data" -maxdepth 1 -type f -exec cp --remove-destination -t "$GAME_DIR" {} +
cp --remove-destination -t "$GAME_DIR" "$REPO/data/story/storymap.txt"
cd "$GAME_DIR"
# Every program of a build lands at its root.
if [ -n "$TTY" ]; then exec "$BUILD/velmora-tty"; fi
exec "$BUILD/velmora" ${CHECK:+--start-check}
