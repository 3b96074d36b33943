#!/usr/bin/env bash
# Plays whole routes through velmora-tty, each in a fresh copy of the game's
# folder, and compares the trace with the one committed beside this script:
# the window program's comforts must leave the game's protocol as it was,
# and so must rollback when it is on but not used, and the automatic save
# written at every menu.
# Usage: tty_routes.sh VELMORA_TTY DATA_DIR [--write | --rollback | --auto-save]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tty=$1 data=$2
option=
case "${3:-}" in --rollback | --auto-save) option=$3 ;; esac
expected=$here/tty_routes.expected
routes="apartment-A3 park-P5 bento-shop-first-talk akira-house-A1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for route in $routes; do
  rm -rf "$work/game" && mkdir "$work/game" && cp -r "$data/." "$work/game/"
  echo "== $route"
  (cd "$work/game" && "$tty" $option <"$here/../routes/$route.in")
done >"$work/trace"

if [ "${3:-}" = --write ]; then cp "$work/trace" "$expected"; exit 0; fi
diff -u "$expected" "$work/trace"
