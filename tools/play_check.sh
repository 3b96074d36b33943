#!/bin/sh
# The README's play command, as the test command checks it: tools/play.sh
# --check on this checkout (its own set-up, Release build in build/, data
# copied into a fresh game folder and the real programs started there).
#  - the window program on a private X server (xvfb-run) must paint its
#    title window and end with status 0;
#  - velmora-tty must play the start of a new game from a few lines typed by
#    the player, with the first scene read from the copied scenario files.
# A missing program, a missing data file or a crash at start fails it.
set -eu
cd "$(dirname "$0")/.."
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

fail() {
    echo "play check: $1" >&2
    sed 's/^/  | /' "$2" >&2
    exit 1
}

status=0
xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" sh tools/play.sh --check \
    >"$OUT/window.log" 2>&1 || status=$?
[ "$status" = 0 ] || fail "sh tools/play.sh ended with status $status" "$OUT/window.log"
grep -q '^velmora: the title window is painted' "$OUT/window.log" ||
    fail "the window program did not paint its title window" "$OUT/window.log"
echo "play check: $(grep '^velmora: the title window' "$OUT/window.log")"

# The title click, NO to loading, NO to naming, then NEXT up to Kumi's first
# line (kumi01.dat); the input ends there and so does the game.
status=0
printf '\nno\nno\n\n\n\n\n\n\n' | sh tools/play.sh --check --tty >"$OUT/tty.log" 2>&1 || status=$?
[ "$status" = 0 ] || fail "sh tools/play.sh --tty ended with status $status" "$OUT/tty.log"
grep -qx 'MSG 久美：「あっ、いたいた！　おはよ、リュウ君！」' "$OUT/tty.log" ||
    fail "velmora-tty did not play Kumi's first line" "$OUT/tty.log"
[ "$(tail -n 1 "$OUT/tty.log")" = END ] || fail "velmora-tty did not end cleanly" "$OUT/tty.log"
echo "play check: velmora-tty played $(grep -c '^MSG ' "$OUT/tty.log") messages"
