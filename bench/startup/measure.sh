#!/usr/bin/env bash
# Start-up and click latency of the Qt window program, as a player sees them,
# on a private X server without a window manager.
#
# Usage: bench/startup/measure.sh [BUILD_DIR] [ROUNDS] [CLICKS] [BEFORE_DIR]
#   BUILD_DIR  a Release build holding velmora (default build, as tools/play.sh builds it)
#   ROUNDS     start-up rounds (default 21); CLICKS click runs (default 21)
#   BEFORE_DIR a Release build of the version before, started in the same
#              rounds (the order turning from round to round) for its own ratio
#
# Start-up: each round starts the bare Qt floor (../shared/measure/qt-floor)
# and the game once each, the order alternating from round to round, and
# takes the time to the first painted window. The figure that counts is the
# median of the per-round ratios game / floor: absolute times on a shared
# machine move by a third from run to run, the ratio much less.
# Click: the first click on the message label (it starts the game and opens
# the load question) timed to the first changed frame; one click per run,
# because afterwards the dialogs block the label, as they should.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/${1:-build}
rounds=${2:-21}
clicks=${3:-21}
measure=$root/../shared/measure
velmora=$build/velmora
before=${4:+$(cd "$root" && cd "$4" && pwd)/velmora}
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT

cmake -S "$measure/qt-floor" -B "$build/qt-floor" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/qt-floor" >/dev/null
floor=$build/qt-floor/qt-floor

# The game runs in a copy of its data, as a player's folder.
mkdir "$work/game"
cp -r "$root/data/." "$work/game/"
cd "$work/game"

. "$measure/lib.sh"
start_xvfb "$work"

value() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

: >"$work/floor" >"$work/game.ms" >"$work/ratio" >"$work/floor.kb" >"$work/game.kb"
: >"$work/before.ms" >"$work/before.ratio" >"$work/before.kb"
who_all="floor game${before:+ before}"
for round in $(seq "$rounds"); do
  order=$(echo $who_all | tr ' ' '\n' | awk -v r="$round" '{a[NR]=$0} END {for (i = 0; i < NR; i++) print a[(i + r) % NR + 1]}')
  for who in $order; do
    case "$who" in
      floor) line=$("$measure/measure-window.sh" --idle 1 qt-floor "$floor") ;;
      game) line=$("$measure/measure-window.sh" --idle 1 Velmora "$velmora") ;;
      before) line=$("$measure/measure-window.sh" --idle 1 Velmora "$before") ;;
    esac
    echo "$line" | value startup_ms >"$work/$who.now"
    echo "$line" | value rss_kb >>"$work/$who.kb"
  done
  f=$(cat "$work/floor.now") g=$(cat "$work/game.now")
  echo "$f" >>"$work/floor"
  echo "$g" >>"$work/game.ms"
  awk -v g="$g" -v f="$f" 'BEGIN {printf "%.3f\n", g / f}' >>"$work/ratio"
  if [ -n "$before" ]; then
    b=$(cat "$work/before.now")
    echo "$b" >>"$work/before.ms"
    awk -v g="$b" -v f="$f" 'BEGIN {printf "%.3f\n", g / f}' >>"$work/before.ratio"
  fi
  echo "round $round: floor ${f} ms, game ${g} ms${before:+, before $(cat "$work/before.now") ms}" >&2
done
echo "startup floor_ms=$(median <"$work/floor") game_ms=$(median <"$work/game.ms")" \
  "ratio=$(median <"$work/ratio") floor_rss_kb=$(median <"$work/floor.kb")" \
  "game_rss_kb=$(median <"$work/game.kb") rounds=$rounds"
if [ -n "$before" ]; then
  echo "startup before_ms=$(median <"$work/before.ms") before_ratio=$(median <"$work/before.ratio")" \
    "before_rss_kb=$(median <"$work/before.kb") rounds=$rounds"
fi

: >"$work/click"
for run in $(seq "$clicks"); do
  line=$("$measure/click-latency.sh" Velmora 200 330 --count 1 "$velmora")
  echo "$line" | value median >>"$work/click"
  echo "click run $run: $line" >&2
done
echo "click first_click_ms median=$(median <"$work/click")" \
  "max=$(sort -g "$work/click" | tail -1) runs=$clicks"
