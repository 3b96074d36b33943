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

# NAME ROW CLICKS DAY HALF HOUR MINUTE [FLAG=VALUE ...]: see saved_shot.
shot() { local name=$1; shift; saved_shot "$out/$name.png" "$@"; }

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
