#!/bin/sh
# The test command's time, as the README quotes it: `sh tools/test.sh` in a
# fresh clone of this checkout's HEAD (nothing built yet, the packages
# installed), timed from its start to its end; the minutes, and the load
# average beside them, are written into docs/benchmarks.md (test-command).
#
#   bench/test_command.sh [CLONE_DIR]     (default: a new folder under /var/tmp)
#
# Takes as long as the test command; run it on a machine as quiet as can be.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
CLONE=${1:-$(mktemp -d /var/tmp/velmora-test-command.XXXXXX)}
git clone --quiet --no-hardlinks "$REPO" "$CLONE/velmora"
load=$(cut -d' ' -f1 /proc/loadavg)
started=$(date +%s)
(cd "$CLONE/velmora" && sh tools/test.sh) >"$CLONE/test.log" 2>&1 ||
  { tail -30 "$CLONE/test.log"; echo "the test command failed: $CLONE/test.log" >&2; exit 1; }
seconds=$(($(date +%s) - started))
load=$(printf '%s\n%s\n' "$load" "$(cut -d' ' -f1 /proc/loadavg)" | sort -g | tail -1)
echo "sh tools/test.sh: $seconds s (load average $load); the log: $CLONE/test.log"
/usr/bin/python3 "$REPO/bench/figures.py" test-command "$(($((seconds + 30)) / 60))" minutes \
  bench/test_command.sh "$load"
