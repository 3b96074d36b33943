#!/usr/bin/env bash
# The light of the hour over the breakwater, the hero's room and the park,
# at dawn, noon, sunset and night, taken from the real program on a private
# X server: a save slot half an hour before is loaded, the place is chosen
# from the menu, and the screen is saved after so many clicks on NEXT; then
# the README's strip of three, light.png.
#
# Usage: docs/screenshots/light/take.sh [BUILD_DIR]   (default build, as tools/play.sh builds it)
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/docs/screenshots/xdriver.sh"
on_desktop 1920x1080 "$0" "$@"
velmora=$root/${1:-build}/velmora
out=$root/docs/screenshots/light
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name, menu row, clicks on NEXT, and the saved day, half, hour, minute and
# story flags (index=value ...).
shot() {
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

shot breakwater-dawn 1 0 1 0 5 0                 # AM 5:30
shot breakwater-noon 1 0 1 0 11 30               # PM 0:00
shot breakwater-sunset 1 68 2 1 0 30 41=1 45=1   # the gathering at PM 6:00: 「見て、夕日！」
shot breakwater-night 1 0 1 1 8 30               # PM 9:00
shot room-dawn 0 1 2 0 5 0                       # AM 5:30
shot room-noon 0 1 2 1 0 0                       # PM 0:30
shot room-sunset 0 3 2 1 6 0 47=1                # Kumi's call at PM 6:30
shot room-night 0 5 4 1 10 0 81=2                # Kumi's meal at PM 10:30
shot park-dawn 3 0 2 0 5 30                      # AM 6:00, the park just open
shot park-noon 3 0 2 0 11 30                     # PM 0:00
shot park-sunset 3 0 2 1 5 30                    # PM 6:00
shot park-night 3 0 2 1 8 30                     # PM 9:00: closed, and dark

# The README's strip: the breakwater at noon and at the gathering's sunset,
# the room at night, as the scene box shows them.
/usr/bin/python3 - "$out" <<'PY'
import sys
from PIL import Image
out = sys.argv[1]
strip = Image.new("RGB", (3 * 300 + 2 * 8, 260), "white")
for i, name in enumerate(["breakwater-noon", "breakwater-sunset", "room-night"]):
    shot = Image.open(f"{out}/{name}.png").convert("RGB")
    strip.paste(shot.crop((47, 36, 347, 296)), (i * 308, 0))
strip.save(f"{out}/light.png", optimize=True)
PY
