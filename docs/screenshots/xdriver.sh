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
