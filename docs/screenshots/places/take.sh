#!/usr/bin/env bash
# One scene at each place of the town, taken from the real program on a
# private X server: a save slot half an hour before a scene is loaded, the
# place is chosen from the menu, and the screen is saved once the
# character is on it.
#
# Usage: docs/screenshots/places/take.sh [BUILD_DIR]   (default build, as tools/play.sh builds it)
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/docs/screenshots/xdriver.sh"
on_desktop 1920x1080 "$0" "$@"
velmora=$root/${1:-build}/velmora
out=$root/docs/screenshots/places
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# NAME ROW CLICKS DAY HALF HOUR MINUTE [FLAG=VALUE ...]: see saved_shot.
scene() { local name=$1; shift; saved_shot "$out/$name.png" "$@"; }

scene apartment 0 1 3 0 9 30            # Kumi comes by on Day 3
scene breakwater 1 2 3 0 9 30           # Hitomi looks out to sea
scene bento-shop 2 1 1 1 0 30           # Ryouko at the counter
scene park 3 1 1 0 9 0                  # Hitomi's question
scene akira-house 4 1 4 0 9 30 47=1     # Akira at home on Day 4
scene serubia 5 2 3 0 9 30              # Kaori shopping on Day 3
scene pc-shop 6 2 3 0 9 30              # Akira saving for a computer
scene school 7 1 2 0 9 30               # Kaori at school on Day 2
scene hitomi-house 8 1 2 0 9 30         # Hitomi at the flower shop
scene tennis-court 9 1 1 0 9 30         # Kaori at the court
