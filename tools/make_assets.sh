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
$PY ../check_assets.py
