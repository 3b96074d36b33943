#!/bin/sh
# Installs everything the game, its tools and its tests need on Debian 12.
# Run as root or through sudo; safe to run again.
#   tools/setup.sh       the desktop game, its tools and tests
#   tools/setup.sh web   the browser build (tools/web.sh) and its browser test
#   tools/setup.sh all   both
set -eu
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
WEB_PACKAGES="
  build-essential cmake ninja-build python3 sox
  emscripten fonttools python3-brotli fonts-ipafont-gothic fonts-ipafont-mincho
  chromium python3-websocket python3-pil
"
DESKTOP_PACKAGES="
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-multimedia-dev libqt6svg6
  qt6-speech-dev qt6-speech-speechd-plugin qt6-declarative-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth libx11-dev libxdamage-dev libxtst-dev
  openbox xdotool imagemagick x11-apps
  clang-14 libclang-rt-14-dev libfuzzer-14-dev clang-format
  python3 python3-pil python3-numpy librsvg2-bin sox
  dpkg-dev file appstream desktop-file-utils debootstrap valgrind util-linux
  pandoc groff-base man-db
"
case "${1:-desktop}" in
  desktop) PACKAGES=$DESKTOP_PACKAGES ;;
  web) PACKAGES=$WEB_PACKAGES ;;
  all) PACKAGES="$DESKTOP_PACKAGES $WEB_PACKAGES" ;;
  *) echo "usage: tools/setup.sh [desktop|web|all]" >&2; exit 2 ;;
esac
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi
if git -C "$(dirname "$0")/.." rev-parse --git-dir >/dev/null 2>&1; then git -C "$(dirname "$0")/.." config diff.cp932.textconv "iconv -f CP932 -t UTF-8"; fi
