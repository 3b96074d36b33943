#!/bin/sh
# What Orca speaks as a player opens the game: the window program (build/
# velmora) on a private Xvfb with openbox and the accessibility bus, Orca
# reading it through speech-dispatcher and espeak-ng; the keys of a new game
# (Enter at the title, N to the load and the name, Enter on NEXT), then what
# Orca spoke, as its debug log keeps it, on stdout.
#
#   apt-get install orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
#   sh tools/orca_reading.sh [DISPLAY_NUMBER [KEY...]]     (default 73)
#   LINGER=S waits S seconds after the last key; KEEP=1 keeps the logs.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
case ${1:-} in --in-session) shift ;; *) exec dbus-run-session -- sh "$0" --in-session "$@" ;; esac
NUMBER=${1:-73}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- Return n n Return Return Return Return
WORK=$(mktemp -d /tmp/velmora-orca-XXXXXX)
export DISPLAY=:$NUMBER HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data \
    XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$WORK/runtime"
PIDS=""
# speech-dispatcher, started by Orca, runs on by itself: it is ended too.
speechd_pid() { cat "$WORK/runtime/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null; }
trap 'kill $PIDS $(speechd_pid) 2>/dev/null; sleep 1; [ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
# Waits up to a minute for a line in a file.
wait_for() {
    i=0
    until grep -q "$1" "$2" 2>/dev/null; do
        i=$((i + 1)); [ $i -lt 600 ] || { echo "never saw $1 in $2" >&2; exit 1; }
        sleep 0.1
    done
}
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & PIDS="$PIDS $!"
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done
openbox --sm-disable & PIDS="$PIDS $!"
/usr/libexec/at-spi-bus-launcher --launch-immediately & PIDS="$PIDS $!"
# No sound server here: speech-dispatcher would wait for one for ever, and
# Orca with it; the voice is played into ALSA's null device instead.
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
{ cat /etc/speech-dispatcher/speechd.conf
  printf 'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n'; } >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true 2>/dev/null || true
orca --replace --debug-file="$WORK/orca.log" >"$WORK/orca.out" 2>&1 & PIDS="$PIDS $!"
wait_for "SPEECH OUTPUT" "$WORK/orca.log"  # Orca's welcome
mkdir "$WORK/game"
find "$REPO/data" -maxdepth 1 -type f -exec cp -t "$WORK/game" {} +
cp "$REPO/data/story/storymap.txt" "$WORK/game"
(cd "$WORK/game" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
    exec "$REPO/build/velmora" >"$WORK/velmora.log" 2>&1) & PIDS="$PIDS $!"
wait_for "クリックしてね" "$WORK/orca.log"  # the title's message, heard
for key in "$@"; do
    spoken=$(grep -c "SPEECH OUTPUT" "$WORK/orca.log")
    xdotool key "$key"
    # Each press is followed by what Orca says of it, or by nothing in 5 s.
    i=0
    while [ "$(grep -c "SPEECH OUTPUT" "$WORK/orca.log")" = "$spoken" ] && [ $i -lt 50 ]; do
        i=$((i + 1)); sleep 0.1
    done
    sleep 1
done
sleep "${LINGER:-3}"
# An utterance may run over several lines; the next entry starts with a time.
awk '/SPEECH OUTPUT:/ { on = 1 } /^[0-9][0-9]:[0-9][0-9]:/ && !/SPEECH OUTPUT:/ { on = 0 } on' \
    "$WORK/orca.log"
