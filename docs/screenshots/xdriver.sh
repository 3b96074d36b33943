# Finding and clicking the game's windows by their captions on a private X
# server (xdotool); sourced by the screenshot scripts. Coordinates are in a
# window's client area, below the title bar each window draws itself.
NEXT='   Click !' YESNO='    選択' MENU='　　移動場所 ＆ コマンド' LIST=' 　　　　選択'
BAR=18
win() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true; }
waitwin() {
  for _ in $(seq 200); do
    id=$(win "$1")
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.05
  done
  echo "no window '$1'" >&2
  return 1
}
clickin() {
  local id
  id=$(waitwin "$1")
  xdotool mousemove --window "$id" "$2" $(($3 + BAR)) click 1
  sleep 0.2
}
# on_desktop SIZE SCRIPT [ARGUMENTS]: runs the script once more on a
# private desktop of that size with openbox (the desktop tests' own).
on_desktop() {
  if [ -z "${VELMORA_DESKTOP:-}" ]; then
    VELMORA_DESKTOP=1 exec "$root/tests/qt/desktop/with_openbox.sh" "$@"
  fi
}
# game_folder DIR: a player's folder with a copy of data/ and a save slot
# at Day 4, PM 11:30 in the hero's room, where the next move ends the
# playable days and plays the finale with its ending pictures.
game_folder() {
  rm -rf "$1" && mkdir "$1" && cp -r "$root/data/." "$1/" && rm -rf "$1/design"
  /usr/bin/python3 - "$1" <<'PY'
import sys
flags = [0] * 135
flags[123], flags[124] = 1, 2
flags[125], flags[126], flags[127], flags[128] = 30, 4, 11, 1
with open(sys.argv[1] + "/file1", "wb") as f:
    f.write("".join(f"{v}\r\n" for v in flags).encode("cp932"))
with open(sys.argv[1] + "/file1_text", "wb") as f:
    f.write('"部屋","佐々木","リュウ君"\r\n'.encode("cp932"))
PY
}
# saved_shot FILE ROW CLICKS DAY HALF HOUR MINUTE [FLAG=VALUE ...]: a player's
# folder in $work with a save slot at that clock and those story flags
# (hero in his room), loaded in $velmora; then the menu's place on ROW, so
# many clicks on NEXT, and the screen saved as FILE.
saved_shot() {
  local file=$1 row=$2 clicks=$3 day=$4 half=$5 hour=$6 minute=$7
  shift 7
  local game
  game=$(mktemp -d "$work/game.XXXX")
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
  import -window root -crop 720x450+0+0 +repage "$file"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
