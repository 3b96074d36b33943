#!/bin/sh
# Tries the game on a fresh Debian 12 system, a chroot made with debootstrap.
#
#   sudo tools/chroot_check.sh [velmora-standalone_VERSION_ARCH.deb] [SCREENSHOT.png]
#       CPack's package, installed with apt (its Depends only, no Recommends);
#       the game started under Xvfb as an ordinary player, and a screenshot;
#       a few lines played through velmora-tty; then the package removed,
#       and none of its files may be left. Without a package it builds one
#       (build-deb/, Release); the screenshot goes to docs/install-chroot.png.
#   sudo tools/chroot_check.sh --play
#       the README's play command as a new player runs it: the checkout's
#       files copied in, `sh tools/play.sh --check` (which installs the play
#       set of tools/setup.sh, builds and starts the game) timed to the painted
#       title, under the chroot's Xvfb (the player's desktop, installed before
#       the clock starts). The time is written into docs/benchmarks.md
#       (title-fresh-machine), with the packages the play set brought in.
#   sudo tools/chroot_check.sh --web
#       the same for `sh tools/web.sh --build-only` and the web set: the site
#       must be built, with its engine.
#
# Needs root, debootstrap and the Debian archive (MIRROR, by default the one
# apt uses here: tools/chroot_common.sh); each takes ten minutes or more. The
# downloaded base packages are kept in CACHE_DIR (/var/cache/velmora-chroot)
# for the next run; the chroot itself is new each time.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
. "$REPO/tools/chroot_common.sh"
MODE=package
case "${1:-}" in
--play | --web) MODE=${1#--} && shift ;;
esac
DEB=${1:-}
SHOT=${2:-$REPO/docs/install-chroot.png}
DISPLAY_NUMBER=77

# The checkout's tracked files as they stand (uncommitted changes included),
# as a new player's clone has them, in the chroot's /home/player/velmora.
copy_checkout() {
  ref=$(git -C "$REPO" stash create)
  mkdir -p "$ROOT/home/player/velmora"
  git -C "$REPO" archive --format=tar "${ref:-HEAD}" | tar -x -C "$ROOT/home/player/velmora"
}
# The need's set (tools/setup.sh NEED) in the fresh chroot, timed from the
# command's start to what it must make; the packages it installed.
try_need() {
  need=$1
  shift
  ROOT=$(mktemp -d /var/tmp/velmora-chroot.XXXXXX)
  chmod 755 "$ROOT"
  trap 'leave_chroot "$ROOT"; rm -rf --one-file-system "$ROOT"' EXIT INT TERM
  say "debootstrap $SUITE into $ROOT"
  make_chroot "$ROOT"
  enter_chroot "$ROOT"
  in_chroot "$ROOT" apt-get update -qq
  # The player's desktop: an X server for the window (not timed).
  in_chroot "$ROOT" apt-get install -y -q=2 --no-install-recommends xvfb xauth >/dev/null
  before=$(in_chroot "$ROOT" dpkg-query -W -f='${db:Status-Status}\n' | grep -cx installed)
  copy_checkout
  say "$* (the $need set of tools/setup.sh, from a fresh Debian 12)"
  started=$(date +%s)
  status=0
  in_chroot "$ROOT" sh -c "cd /home/player/velmora && $*" >"$ROOT/tmp/need.log" 2>&1 || status=$?
  SECONDS_TAKEN=$(($(date +%s) - started))
  tail -5 "$ROOT/tmp/need.log"
  [ "$status" = 0 ] || { tail -40 "$ROOT/tmp/need.log"; fail "$* (status $status)"; }
  after=$(in_chroot "$ROOT" dpkg-query -W -f='${db:Status-Status}\n' | grep -cx installed)
  wanted=$(sh "$REPO/tools/setup.sh" --list "$need" | wc -l)
  echo "$SECONDS_TAKEN s; the $need set ($wanted packages named) brought $((after - before)) packages in"
}
# When the need's packages were in (the set-up run alone first, then the
# command, whose own set-up then finds nothing missing), from the start.
set_up_took() {
  echo $(($(cat "$ROOT/tmp/set-up-done") - started))
}
if [ "$MODE" = play ]; then
  try_need play "sh tools/setup.sh play && date +%s >/tmp/set-up-done &&" \
    xvfb-run -a -s "'-screen 0 1280x800x24 -nolisten tcp'" sh tools/play.sh --check
  grep '^velmora: the title window is painted' "$ROOT/tmp/need.log" ||
    fail "the window program did not paint its title window"
  echo "of which the set-up $(set_up_took) s, the build and the start $((SECONDS_TAKEN - $(set_up_took))) s" \
    "(load average $(cut -d' ' -f1-3 /proc/loadavg))"
  minutes=$(echo "$SECONDS_TAKEN" | awk '{ printf "%.1f", $1 / 60 }')
  /usr/bin/python3 "$REPO/bench/figures.py" title-fresh-machine "$minutes" minutes \
    "tools/chroot_check.sh --play"
  say "PASS: from a fresh Debian 12 to the title in $SECONDS_TAKEN s with the play set alone"
  exit 0
fi
if [ "$MODE" = web ]; then
  try_need web "sh tools/setup.sh web && date +%s >/tmp/set-up-done &&" sh tools/web.sh --build-only
  [ -s "$ROOT/home/player/velmora/build-web/site/velmora-engine.wasm" ] || fail "no engine in the site"
  echo "of which the set-up $(set_up_took) s, the build $((SECONDS_TAKEN - $(set_up_took))) s" \
    "(load average $(cut -d' ' -f1-3 /proc/loadavg))"
  say "PASS: the page built in $SECONDS_TAKEN s from a fresh Debian 12 with the web set alone"
  exit 0
fi

if [ -z "$DEB" ]; then
  say "building the package"
  cmake -S "$REPO" -B "$REPO/build-deb" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
  cmake --build "$REPO/build-deb" -j "$(nproc)"
  rm -f "$REPO"/build-deb/package/*.deb
  (cd "$REPO/build-deb" && cpack -G DEB -B "$REPO/build-deb/package")
  DEB=$(ls "$REPO"/build-deb/package/velmora-standalone_*.deb)
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
in_root dpkg -L velmora-standalone >"$ROOT/tmp/velmora.files"
in_root sh -c 'dpkg-query -W -f="\${Version} \${Status}\n" velmora-standalone'
for f in /usr/games/velmora /usr/games/velmora-tty /usr/lib/games/velmora/velmora \
  /usr/share/games/velmora/kumi01.dat /usr/share/applications/velmora.desktop \
  /usr/share/icons/hicolor/48x48/apps/velmora.png \
  /usr/share/metainfo/io.github.velmora.Velmora.metainfo.xml; do
  [ -e "$ROOT$f" ] || fail "$f was not installed"
done

say "a player's first start on the terminal: velmora-tty"
in_root useradd --create-home --shell /bin/sh player
printf '\nno\nno\nno\n' | as_player velmora-tty >"$ROOT/tmp/tty.out"
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
as_player env DISPLAY=":$DISPLAY_NUMBER" XDG_RUNTIME_DIR=/tmp velmora \
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

say "apt purge velmora-standalone"
in_root apt-get purge -y -q velmora-standalone
in_root sh -c '! dpkg-query -W -f="\${Status}\n" velmora-standalone 2>/dev/null | grep -q "ok installed"' ||
  fail "velmora-standalone is still installed"
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
