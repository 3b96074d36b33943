#!/bin/sh
# Checks the Debian package on a fresh Debian 12 system: makes a chroot with
# debootstrap, installs the package there with apt (its Depends only, no
# Recommends), starts the game under Xvfb as an ordinary player and takes a
# screenshot, plays a few lines through velmora-launcher --tty, then removes
# the package and checks that none of its files is left.
#
#   sudo tools/chroot_check.sh [velmora_VERSION_ARCH.deb] [SCREENSHOT.png]
#
# Without a package it builds one (build-deb/, Release). The screenshot goes to
# docs/install-chroot.png unless named. Needs root, debootstrap and the Debian
# archive (MIRROR, by default the one apt uses here: tools/chroot_common.sh);
# takes ten minutes or more. The downloaded base packages are kept in
# CACHE_DIR (/var/cache/velmora-chroot) for the next run; the chroot itself is
# new each time.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
. "$REPO/tools/chroot_common.sh"
DEB=${1:-}
SHOT=${2:-$REPO/docs/install-chroot.png}
DISPLAY_NUMBER=77

if [ -z "$DEB" ]; then
  say "building the package"
  cmake -S "$REPO" -B "$REPO/build-deb" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
  cmake --build "$REPO/build-deb" -j "$(nproc)"
  rm -f "$REPO"/build-deb/package/*.deb
  (cd "$REPO/build-deb" && cpack -G DEB -B "$REPO/build-deb/package")
  DEB=$(ls "$REPO"/build-deb/package/velmora_*.deb)
fi
[ -f "$DEB" ] || fail "no package at $DEB"
DEB=$(cd "$(dirname "$DEB")" && pwd)/$(basename "$DEB")

ROOT=$(mktemp -d /var/tmp/velmora-chroot.XXXXXX)
chmod 755 "$ROOT" # the root of the system the player sees
XVFB_PID=""
GAME_PID=""
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  sleep 1
  leave_chroot "$ROOT"
  rm -rf --one-file-system "$ROOT"
}
trap cleanup EXIT INT TERM
in_root() { in_chroot "$ROOT" "$@"; }
as_player() { as_user_in_chroot "$ROOT" player "$@"; }

say "debootstrap $SUITE into $ROOT"
make_chroot "$ROOT"
enter_chroot "$ROOT"

say "apt install ./$(basename "$DEB") (Depends only)"
cp "$DEB" "$ROOT/tmp/"
in_root apt-get update -qq
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$DEB")"
in_root dpkg -L velmora >"$ROOT/tmp/velmora.files"
in_root sh -c 'dpkg-query -W -f="\${Version} \${Status}\n" velmora'
for f in /usr/games/velmora /usr/games/velmora-tty /usr/games/velmora-launcher \
  /usr/share/games/velmora/kumi01.dat /usr/share/applications/velmora.desktop \
  /usr/share/icons/hicolor/48x48/apps/velmora.png \
  /usr/share/metainfo/io.github.velmora.Velmora.metainfo.xml; do
  [ -e "$ROOT$f" ] || fail "$f was not installed"
done

say "a player's first start on the terminal: velmora-launcher --tty"
in_root useradd --create-home --shell /bin/sh player
printf '\nno\nno\nno\n' | as_player velmora-launcher --tty >"$ROOT/tmp/tty.out"
head -3 "$ROOT/tmp/tty.out"
tail -1 "$ROOT/tmp/tty.out" | grep -qx END || fail "velmora-tty did not end cleanly"
GAME_DIR=$ROOT/home/player/.local/share/velmora
[ -L "$GAME_DIR/kumi01.dat" ] || fail "no link to the shipped data in the player's folder"
printf 'player folder: %s entries, kumi01.dat -> %s\n' "$(ls "$GAME_DIR" | wc -l)" \
  "$(readlink "$GAME_DIR/kumi01.dat")"

say "the window under Xvfb (the Xvfb of the chroot)"
in_root apt-get install -y -q --no-install-recommends xvfb >/dev/null
chroot "$ROOT" Xvfb ":$DISPLAY_NUMBER" -screen 0 800x600x24 -fbdir /tmp -nolisten tcp \
  >/dev/null 2>&1 &
XVFB_PID=$!
sleep 2
as_player env DISPLAY=":$DISPLAY_NUMBER" XDG_RUNTIME_DIR=/tmp velmora-launcher \
  >"$ROOT/tmp/window.log" 2>&1 &
GAME_PID=$!
sleep 8
kill -0 "$GAME_PID" 2>/dev/null || { cat "$ROOT/tmp/window.log"; fail "the game did not stay up"; }
mkdir -p "$(dirname "$SHOT")"
/usr/bin/python3 - "$ROOT/tmp/Xvfb_screen0" "$SHOT" <<'EOF'
# Xvfb -fbdir keeps the screen as an XWD file: header in big-endian CARD32s.
import struct, sys
from PIL import Image
raw = open(sys.argv[1], "rb").read()
h = struct.unpack(">25I", raw[:100])
size, width, height, bpp, stride, ncolors = h[0], h[4], h[5], h[11], h[12], h[19]
assert bpp == 32, bpp
order = "BGRX" if h[7] == 0 else "XRGB"
img = Image.frombuffer("RGB", (width, height), raw[size + 12 * ncolors:], "raw", order, stride, 1)
box = img.getbbox() or (0, 0, width, height)  # the window on the black root
img.crop(box).save(sys.argv[2], optimize=True)
print("screenshot %s: %dx%d" % (sys.argv[2], box[2] - box[0], box[3] - box[1]))
EOF
kill "$GAME_PID"
GAME_PID=""
kill "$XVFB_PID"
XVFB_PID=""
sleep 1

say "apt purge velmora"
in_root apt-get purge -y -q velmora
in_root sh -c '! dpkg-query -W -f="\${Status}\n" velmora 2>/dev/null | grep -q "ok installed"' ||
  fail "velmora is still installed"
left=""
while read -r f; do
  case "$f" in
  /usr/games/* | /usr/share/games/velmora* | */velmora.desktop | */velmora.png | */*Velmora*)
    [ -e "$ROOT$f" ] && left="$left $f" ;;
  esac
done <"$ROOT/tmp/velmora.files"
[ -z "$left" ] || fail "left behind:$left"
[ -d "$GAME_DIR" ] && echo "the player's folder stays, as a player's files should: $(ls "$GAME_DIR" | wc -l) entries"
say "PASS: installed, started, removed on a fresh Debian 12"
