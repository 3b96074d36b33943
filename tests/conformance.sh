#!/bin/sh
# The conformance sample of the terminal protocol, when it lies beside the
# checkout: played against velmora-tty. Without it the test says it skipped
# (status 77, which ctest reports as skipped).
#
#   sh tests/conformance.sh SAMPLE_DIR VELMORA_TTY
if [ ! -f "$1/check.py" ]; then
    echo "no conformance sample in $1: skipped"
    exit 77
fi
exec /usr/bin/python3 "$1/check.py" "$2"
