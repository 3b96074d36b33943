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

# name, menu row, clicks on NEXT before the character shows, and the saved
# day, half, hour, minute and story flags (index=value ...).
scene() {
  local name=$1 row=$2 clicks=$3 day=$4 half=$5 hour=$6 minute=$7
  shift 7
  local game=$work/$name
  mkdir "$game"
  cp "$root"/data/*.* "$game/"
  /usr/bin/python3 - "$game" "$day" "$half" "$hour" "$minute" "$@" <<'PY'
import sys
folder, day, half, hour, minute, *story = sys.argv[1:]
flags = [0] * 135
flags[123], flags[124] = 1, 2
flags[125], flags[126], flags[127], flags[128] = int(minute), int(day), int(hour), int(half)
for pair in story:
    index, value = pair.split("=")
    flags[int(index)] = int(value)
open(folder + "/file1", "wb").write("".join(f"{v}\r\n" for v in flags).encode("cp932"))
open(folder + "/file1_text", "wb").write('"部屋","佐々木","リュウ君"\r\n'.encode("cp932"))
PY
  (cd "$game" && exec "$velmora" >"$game/velmora.log" 2>&1) &
  local pid=$!
  waitwin Velmora >/dev/null
  clickin Velmora 200 330    # the message label
  clickin "$YESNO" 33 18     # load a game: yes
  clickin "$LIST" 40 8       # file1
  clickin "$LIST" 48 124     # OK
  clickin "$YESNO" 33 18     # yes
  clickin "$NEXT" 30 20      # "file1 をロードしました。"
  clickin "$MENU" 70 $((row * 411 / 15 + 12))
  for _ in $(seq "$clicks"); do clickin "$NEXT" 30 20; done
  sleep 0.5
  import -window root -crop 720x450+0+0 +repage "$out/$name.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

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
