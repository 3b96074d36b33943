# A private X server, and finding and clicking the game's windows by their
# captions on it (xdotool); sourced by the screenshot scripts.

# start_xvfb DIR: a 1920 x 1080 X server on a free display (its log in DIR);
# exports DISPLAY and sets xvfb_pid. Xvfb names the display on the pipe once
# it takes clients, and closes the pipe unnamed when it cannot start.
start_xvfb() {
  local display
  mkfifo "$1/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -br 3>"$1/xvfb.display" 2>"$1/xvfb.log" &
  xvfb_pid=$!
  if ! read -r display <"$1/xvfb.display"; then
    echo "Xvfb did not start; see $1/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$display"
}
stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=
}
NEXT='   Click !' YESNO='    選択' MENU='　　移動場所 ＆ コマンド' LIST=' 　　　　選択'
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
  xdotool mousemove --window "$id" "$2" "$3" click 1
  sleep 0.2
}
