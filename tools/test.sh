#!/bin/sh
# Sets up a Debian 12 machine, checks the README's play command, builds the
# game twice (plain, and with AddressSanitizer + UndefinedBehaviorSanitizer)
# with warnings as errors, and runs every test (the web page's among them).
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh test
JOBS=$(nproc)
# Warnings are errors in every build of the test command: its own two, and
# those of tools/fuzz.sh and of tools/web.sh (the browser tests' build).
export VELMORA_WERROR=ON

# First what a player runs first: tools/play.sh, its Release build in build/.
tools/play_check.sh

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON \
    -DVELMORA_UNITY_TESTS=ON
cmake --build build-test -j "$JOBS"
(cd build-test && ctest --output-on-failure -j "$JOBS")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
    -DVELMORA_BENCH=OFF -DVELMORA_WERROR=ON -DVELMORA_UNITY_TESTS=ON
cmake --build build-asan -j "$JOBS"
# Left out here: the tests labelled slow (the whole route explorer,
# installing, packaging) and player (whole evenings played through the X
# server, Orca and the accessibility bus), and the table that tours the whole
# game once without each picture in turn: they run the game's code no
# further than the unit tests and the one tour with every file do, which the
# sanitizers check here, and they are most of this run's time.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$JOBS" \
    -LE 'slow|player' -E '^MissingAssets/WithoutOneFile')

if [ -x tools/fuzz.sh ]; then tools/fuzz.sh 30; fi
