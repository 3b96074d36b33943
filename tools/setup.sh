#!/bin/sh
# Installs on Debian 12 what one need of the game asks, and nothing more.
# Run as root or through sudo; safe to run again.
#
#   tools/setup.sh play        build the game and play it (tools/play.sh)
#   tools/setup.sh web         build the page (tools/web.sh --build-only)
#   tools/setup.sh [test]      everything: the play and web sets, every test
#                              (tools/test.sh), the browsers and the tools
#   tools/setup.sh lighthouse  the web set and Lighthouse (npm, pinned by
#                              tools/web/lighthouse/package-lock.json) for
#                              bench/web/lighthouse.py; the test command does
#                              without it
#   tools/setup.sh --list SET  only prints the set's packages
#
# Each set is a list of packages, one a line, with what needs it; a package
# that the tests alone need goes in TEST.
set -eu
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

# Building the window program and velmora-tty (Release), and playing.
PLAY="
  build-essential
  cmake
  ninja-build
  pkg-config
  qt6-base-dev
  qt6-multimedia-dev
  speech-dispatcher
  speech-dispatcher-espeak-ng
  libx11-dev
  libxcb1-dev
  libsdl2-dev
  fonts-ipafont-gothic
  fonts-ipafont-mincho
"
# libsdl2-dev: the gamepad module (SDL's game controllers, every pad SDL
# knows by the same buttons), loaded once a pad is plugged in.
# speech-dispatcher with a Japanese voice: what the speech module speaks
# through when the player turns speech on; libx11-dev, libxcb1-dev: the
# window program reads the X server's events Qt drops
# (backends/qt/blocked_pointer.cpp).

# Building the page: emscripten (with binaryen's wasm-opt), the fonts cut
# down (fonttools, brotli for WOFF2 and the .br copies), the music encoded.
WEB="
  build-essential
  cmake
  ninja-build
  python3
  emscripten
  binaryen
  fonttools
  python3-brotli
  fonts-ipafont-gothic
  fonts-ipafont-mincho
  sox
  opus-tools
  vorbis-tools
"

# The tests, the benchmarks and the developers' tools, beside both sets.
TEST="
  git
  libqt6svg6
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  xvfb
  xauth
  libxdamage-dev
  libxtst-dev
  openbox
  orca
  espeak-ng
  xdotool
  imagemagick
  x11-apps
  at-spi2-core
  python3-pyatspi
  gir1.2-atspi-2.0
  dbus-x11
  dbus-daemon
  clang-14
  libclang-rt-14-dev
  libfuzzer-14-dev
  clang-format
  python3-pil
  python3-numpy
  librsvg2-bin
  dpkg-dev
  file
  appstream
  desktop-file-utils
  debootstrap
  valgrind
  util-linux
  pandoc
  groff-base
  man-db
  chromium
  python3-websocket
  webkit2gtk-driver
  python3-selenium
  gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good
  firefox-esr
"

LIST=""
if [ "${1:-}" = --list ]; then LIST=1; shift; fi
SET=${1:-test}
case "$SET" in
  play) PACKAGES=$PLAY ;;
  web | lighthouse) PACKAGES=$WEB ;;
  test | all) PACKAGES="$PLAY $WEB $TEST" ;;
  *) echo "usage: tools/setup.sh [--list] [play|web|test|lighthouse]" >&2; exit 2 ;;
esac
# Node and npm for Lighthouse: the machine's own where it has them, else Debian's.
if [ "$SET" = lighthouse ] && ! command -v npm >/dev/null 2>&1; then
  PACKAGES="$PACKAGES nodejs npm"
fi
PACKAGES=$(printf '%s\n' $PACKAGES | sort -u)
if [ -n "$LIST" ]; then echo "$PACKAGES"; exit 0; fi

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi
REPO=$(cd "$(dirname "$0")/.." && pwd)
if command -v git >/dev/null 2>&1 && git -C "$REPO" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$REPO" config diff.cp932.textconv "iconv -f CP932 -t UTF-8"
fi
# Lighthouse, at the versions its lock file pins, beside the lock file.
LIGHTHOUSE="$REPO/tools/web/lighthouse"
if [ "$SET" = lighthouse ] && [ -f "$LIGHTHOUSE/package-lock.json" ] &&
   ! cmp -s "$LIGHTHOUSE/package-lock.json" "$LIGHTHOUSE/node_modules/.velmora-lock"; then
  (cd "$LIGHTHOUSE" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error &&
   cp package-lock.json node_modules/.velmora-lock)
fi
