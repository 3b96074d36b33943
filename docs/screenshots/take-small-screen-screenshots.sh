#!/usr/bin/env bash
# The windows on a small 1280 x 800 desktop with openbox, as a player finds
# them: the settings opened over a question, full screen with the command
# menu and with an ending picture, and the window at scale factor 2 (the
# design scaled down to fit, the menu clear of the plates). Saves them in
# docs/screenshots/.
#
# Usage: docs/screenshots/take-small-screen-screenshots.sh [BUILD_DIR]   (default build, as tools/play.sh builds it)
# Needs what take-screenshots.sh needs.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/docs/screenshots/xdriver.sh"
on_desktop 1280x800 "$0" "$@"
velmora=$root/${1:-build}/velmora
out=$root/docs/screenshots
work=$(mktemp -d)
trap 'kill $game_pid 2>/dev/null || true; rm -rf "$work"' EXIT


play() { # play SCALE: the game afresh in a player's folder with a late save slot
  game_folder "$work/game"
  (cd "$work/game" && QT_SCALE_FACTOR=$1 exec "$velmora" >"$work/velmora.log" 2>&1) &
  game_pid=$!
  waitwin Velmora >/dev/null
}
key() { xdotool windowactivate --sync "$(waitwin "$1")" key "$2"; sleep 0.3; }
shot() { sleep 0.5; import -window root -crop "$2" +repage "$out/$1"; }
# Space on NEXT (answering No to any question) until the named window opens.
space_until() {
  for _ in $(seq 100); do
    if [ -n "$(win "$1")" ]; then return 0; fi
    if [ -n "$(win "$YESNO")" ]; then key "$YESNO" n; else key "$NEXT" space; fi
  done
  return 1
}

play 1
clickin Velmora 200 330 # the message label
key "$YESNO" space      # Space does not answer the load question...
key "$YESNO" n          # ...N does
key "$YESNO" n          # keep the hero's name
space_until "$YESNO"    # Space through Kumi's scene up to her invitation
key "$YESNO" space      # which Space leaves open
key "$YESNO" F2         # the settings over the question
waitwin 設定 >/dev/null
shot settings-over-question.png 760x500+0+0
key 設定 Escape
key "$YESNO" n
space_until "$MENU"
key "$MENU" F11
shot fullscreen-menu.png 1280x800+0+0
key "$MENU" F11
# The load command, then a move: the clock runs into Day 5 and the finale
# shows its pictures; the first one in full screen.
clickin "$MENU" 70 $((10 * 411 / 15 + 12))   # ロード
clickin "$LIST" 40 8                          # file1
clickin "$LIST" 48 124                        # OK
key "$YESNO" y
key "$NEXT" space
clickin "$MENU" 70 $((1 * 411 / 15 + 12))    # the breakwater
picture_window() { # the borderless picture window, 609 pixels wide
  xdotool search --onlyvisible --classname velmora 2>/dev/null | while read -r w; do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Width: 609' && echo "$w"
  done
}
for _ in $(seq 100); do
  if [ -n "$(picture_window)" ]; then break; fi
  if [ -n "$(win "$NEXT")" ]; then key "$NEXT" space; fi
done
xdotool key F11
shot fullscreen-ending.png 1280x800+0+0
kill $game_pid

play 2
# Scaled twice and fitted to the screen, the message label lies about here.
xdotool mousemove 400 650 click 1
key "$YESNO" n
key "$YESNO" n
space_until "$YESNO"
key "$YESNO" n
space_until "$MENU"
shot scale-2-small-screen.png 1280x800+0+0
