#!/usr/bin/env bash
# The player's comforts on a private 1920 x 1080 X server with a small window
# manager: the history over a scene, full screen, and the window at scale
# factor 2. Saves them in docs/screenshots/.
#
# Usage: docs/screenshots/take-comfort-screenshots.sh [BUILD_DIR]   (default build, as tools/play.sh builds it)
# Needs what take-screenshots.sh needs.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# On a private desktop whose settings folder is its own: the player's
# settings stay untouched.
. "$root/docs/screenshots/xdriver.sh"
on_desktop 1920x1080 "$0" "$@"
velmora=$root/${1:-build}/velmora
out=$root/docs/screenshots
work=$(mktemp -d)
trap 'kill $game_pid 2>/dev/null || true; rm -rf "$work"' EXIT

play() { # play SCALE: the game afresh in a player's folder
  game_folder "$work/game"
  (cd "$work/game" && QT_SCALE_FACTOR=$1 exec "$velmora" >"$work/velmora.log" 2>&1) &
  game_pid=$!
  waitwin Velmora >/dev/null
}
key() { xdotool windowactivate --sync "$(waitwin "$1")" key "$2"; sleep 0.5; }
shot() { sleep 0.5; import -window root -crop "$2" +repage "$out/$1"; }

play 1
clickin Velmora 200 330 # the message label
key "$YESNO" n          # no game to load
key "$YESNO" n          # keep the hero's name
for _ in 1 2 3 4 5 6; do key "$NEXT" Return; done
# The wheel turned up over the message: the history, over Kumi's scene.
xdotool mousemove --window "$(waitwin Velmora)" 200 $((330 + BAR)) click 4
waitwin 履歴 >/dev/null
shot comfort-history.png 760x520+0+0
key 履歴 Escape
key "$NEXT" F11
shot comfort-fullscreen.png 1920x1080+0+0
kill $game_pid

play 2
shot comfort-scale-2.png 1200x900+0+0
