#!/usr/bin/env bash
# Plays the game through its real windows on a private X server with a small
# window manager and saves the screens shown in docs/screenshots/.
#
# Usage: docs/screenshots/take-screenshots.sh [BUILD_DIR]   (default build, as tools/play.sh builds it)
# Needs: xvfb, openbox, xdotool, imagemagick (tools/setup.sh installs them).
# The game runs in a copy of data/, so its save slots never land in the tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/docs/screenshots/xdriver.sh"
on_desktop 1920x1080 "$0" "$@"
velmora=$root/${1:-build}/velmora
out=$root/docs/screenshots
work=$(mktemp -d)
trap 'kill $game_pid 2>/dev/null || true; rm -rf "$work"' EXIT

game_folder "$work/game"
(cd "$work/game" && exec "$velmora" >"$work/velmora.log" 2>&1) &
game_pid=$!

next() { clickin "$NEXT" 30 20; }
yes() { clickin "$YESNO" 33 18; }
no() { clickin "$YESNO" 33 55; }
menu() { clickin "$MENU" 70 $(($1 * 411 / 15 + 12)); } # row from the top
list_entry() { clickin "$LIST" 40 $(($1 * 18 + 8)); }
list_ok() { clickin "$LIST" 48 124; }
# NEXT (and NO to any question) until the named window opens.
next_until() {
  for _ in $(seq 100); do
    sleep 0.1
    if [ -n "$(win "$1")" ]; then return 0; fi
    if [ -n "$(win "$YESNO")" ]; then no; else next; fi
  done
  return 1
}
# NEXT as long as a NEXT window keeps coming back.
next_while_open() {
  for _ in $(seq 100); do
    sleep 0.3
    if [ -z "$(win "$NEXT")" ]; then return 0; fi
    next
  done
}
shot() {
  sleep 0.4
  import -window root -crop "${2:-720x450+0+0}" +repage "$out/$1"
}

waitwin Velmora >/dev/null
shot title.png
clickin Velmora 200 330 # the message label
no                      # no game to load
no                      # keep the hero's name
for _ in 1 2 3 4 5 6; do next; done
shot portrait-instant.png
next_until "$YESNO"
no # decline Kumi's invitation
next_until "$MENU"
shot command-menu.png 760x450+0+0
# "画像処理" lies outside the menu: Tab to it and press it with the space bar.
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
yes
menu 3 # the park: Hitomi comes running, drawn line by line
next
next
shot portrait-line.png
next_until "$MENU"
menu 10 # load
list_entry 0
shot list-window.png
list_ok
yes
next
shot late-evening.png # "PM 11:30" fits its plate
menu 1 # the breakwater: the clock runs into Day 5
next_while_open
shot ending.png 720x450+0+0
