#!/bin/sh
# Sets up a Debian 12 machine, builds the game twice (plain, and with
# AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh all
JOBS=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j "$JOBS"
(cd build-test && ctest --output-on-failure -j "$JOBS")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
    -DVELMORA_BENCH=OFF
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$JOBS")

if [ -x tools/fuzz.sh ]; then tools/fuzz.sh 30; fi
