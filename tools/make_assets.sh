#!/bin/sh
# Remakes every picture and the music in data/ and data/design/ from the
# sources in tools/art/, then the contact sheet in docs/ and runs the checker.
# Needs Debian's python3-pil, python3-numpy and librsvg2-bin (tools/setup.sh).
set -eu
cd "$(dirname "$0")/art"
PY=/usr/bin/python3
$PY design.py
$PY scenes.py
$PY portraits.py
$PY plates.py
$PY music.py
$PY contact_sheet.py
# The place plates and scenes the checker wants are those of the story, as
# the route explorer of a test build lists them.
routes=$(ls -t ../../build*/velmora-routes 2>/dev/null | head -n 1 || true)
if [ -z "$routes" ]; then
    echo "make_assets: no build with velmora-routes (cmake --build build-test): not checked" >&2
    exit 1
fi
"$routes" --pictures | $PY ../check_assets.py --pictures -
