#!/bin/sh
# Runs a command on a private X server of the given size with openbox on it,
# as a player's desktop, and takes both down afterwards.
# Usage: with_openbox.sh WIDTHxHEIGHT command [arguments...]
set -u
size=$1
shift
work=$(mktemp -d)
xvfb=
wm=
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ready FILE PID LOG: waits until FILE is written, as long as PID lives.
ready() {
  while [ ! -s "$1" ]; do
    if ! kill -0 "$2" 2>/dev/null; then
      cat "$3" >&2
      exit 1
    fi
    sleep 0.05
  done
}

# The server writes its display number once it takes connections.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
ready "$work/display" "$xvfb" "$work/xvfb.log"
DISPLAY=":$(head -1 "$work/display")"
mkdir -m 700 "$work/runtime"
# A home of its own: no settings of the machine's user reach the test.
export DISPLAY HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
# Openbox runs the startup command once it manages windows: a window mapped
# earlier, while it starts, may never be shown.
openbox --sm-disable --startup "sh -c 'echo up >$work/ready'" >"$work/openbox.log" 2>&1 &
wm=$!
ready "$work/ready" "$wm" "$work/openbox.log"
"$@"
status=$?
exit $status
