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
