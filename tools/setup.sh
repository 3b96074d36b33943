#!/bin/sh
# Installs everything the game, its tools and its tests need on Debian 12.
# Run as root or through sudo; safe to run again.
#   tools/setup.sh       the desktop game, its tools and tests
#   tools/setup.sh web   the browser build (tools/web.sh) and its browser tests
#                        in three engines
#   tools/setup.sh all   both
#   tools/setup.sh lighthouse   the browser build and Lighthouse for the web
#                        benchmark (npm, pinned by tools/web/lighthouse/package-lock.json);
#                        the test command does without it
set -eu
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
WEB_PACKAGES="
  build-essential cmake ninja-build python3 sox opus-tools vorbis-tools
  emscripten fonttools python3-brotli fonts-ipafont-gothic fonts-ipafont-mincho
  chromium python3-websocket python3-pil
  webkit2gtk-driver python3-selenium xvfb xauth
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  firefox-esr
"
DESKTOP_PACKAGES="
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-multimedia-dev libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth libx11-dev libxdamage-dev libxtst-dev
  openbox xdotool imagemagick x11-apps
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus-x11 dbus-daemon
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  clang-14 libclang-rt-14-dev libfuzzer-14-dev clang-format
  python3 python3-pil python3-numpy librsvg2-bin sox
  dpkg-dev file appstream desktop-file-utils debootstrap valgrind util-linux
  pandoc groff-base man-db
"
case "${1:-desktop}" in
  desktop) PACKAGES=$DESKTOP_PACKAGES ;;
  web) PACKAGES=$WEB_PACKAGES ;;
  all) PACKAGES="$DESKTOP_PACKAGES $WEB_PACKAGES" ;;
  lighthouse) PACKAGES=$WEB_PACKAGES ;;
  *) echo "usage: tools/setup.sh [desktop|web|all|lighthouse]" >&2; exit 2 ;;
esac
# Node and npm for Lighthouse: the machine's own where it has them, else Debian's.
if [ "${1:-}" = lighthouse ] && ! command -v npm >/dev/null 2>&1; then
  PACKAGES="$PACKAGES nodejs npm"
fi
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
# Lighthouse, at the versions its lock file pins, beside the lock file.
LIGHTHOUSE="$(dirname "$0")/web/lighthouse"
if [ "${1:-}" = lighthouse ] && [ -f "$LIGHTHOUSE/package-lock.json" ] &&
   ! cmp -s "$LIGHTHOUSE/package-lock.json" "$LIGHTHOUSE/node_modules/.velmora-lock"; then
  (cd "$LIGHTHOUSE" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error &&
   cp package-lock.json node_modules/.velmora-lock)
fi
