#!/bin/sh
# Builds the game for the browser (WebAssembly, with Debian's emscripten) into
# one folder of static files, and serves it on http://localhost:8000.
#
#   sh tools/web.sh [--build-only] [--no-install] [BUILD_DIR]
#
# --build-only: only build (the folder is BUILD_DIR/site, default build-web/site);
# --no-install: do not install missing packages (tools/setup.sh web does).
# VELMORA_WERROR=ON (as the test command sets it) makes warnings errors.
# Any web server can serve the folder; it needs no special headers.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
SERVE=1
INSTALL=1
BUILD="$REPO/build-web"
for arg in "$@"; do
  case "$arg" in
    --build-only) SERVE=0 ;;
    --no-install) INSTALL=0 ;;
    -*) echo "usage: sh tools/web.sh [--build-only] [--no-install] [BUILD_DIR]" >&2; exit 2 ;;
    *) BUILD=$arg ;;
  esac
done
if [ "$INSTALL" = 1 ]; then "$REPO/tools/setup.sh" web; fi

# em++ runs its JavaScript tools with the first node on PATH; one that is not
# Debian's does not find the acorn module that Debian ships.
if [ -d /usr/share/nodejs ]; then export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"; fi
# Debian's python3 has fontTools; another one first on PATH may not.
PYTHON=/usr/bin/python3

mkdir -p "$BUILD"
emcmake cmake -S "$REPO" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_QT=OFF -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF \
    -DVELMORA_WERROR="${VELMORA_WERROR:-OFF}" >"$BUILD/configure.log" 2>&1 ||
    { cat "$BUILD/configure.log" >&2; exit 1; }
cmake --build "$BUILD" -j "$(nproc)"
echo "The game for the browser: $BUILD/site"
if [ "$SERVE" = 0 ]; then exit 0; fi

echo "Play at http://localhost:8000/ (Ctrl-C stops the server)"
cd "$BUILD/site"
exec "$PYTHON" -m http.server 8000 --bind 127.0.0.1
