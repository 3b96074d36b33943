#!/bin/sh
# Builds the Debian source package of the game (debian/) and its binary
# packages velmora and velmora-data in a clean Debian 12 chroot, and tries
# them as Debian does:
#   1. dpkg-buildpackage -us -uc in one folder, then the binary packages
#      again from the .dsc in another folder: both builds must give the same
#      .deb bytes (cmp);
#   2. lintian --fail-on error,warning on the .changes (the overridden tags
#      are listed in debian/*lintian-overrides, each with its reason);
#   3. in a second fresh chroot: the packages installed with apt, `man
#      velmora`, the autopkgtest (debian/tests) run on the installed
#      packages, then both purged and what they pulled in autoremoved: the
#      file list of the system must be the one taken before the install.
#
#   sudo tools/debian_package_check.sh [OUT_DIR]
#
# The source is the checkout's tracked files as they stand (uncommitted
# changes included, untracked files not). The packages, the lintian report,
# the autopkgtest log and the timings land in OUT_DIR (build-debian/).
# Needs root, debootstrap and dpkg-dev (tools/setup.sh) and the Debian
# archive: the mirror is the one apt uses here (MIRROR overrides it). The
# downloaded base packages are kept in CACHE_DIR (/var/cache/velmora-chroot);
# the chroots are new each time and removed at the end. Takes half an hour
# or more, so it is not part of the test command.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-$REPO/build-debian}
CACHE_DIR=${CACHE_DIR:-/var/cache/velmora-chroot}
SUITE=bookworm

say() { printf '== %s\n' "$*"; }
fail() {
  printf 'FAILED: %s\n' "$*" >&2
  exit 1
}

[ "$(id -u)" = 0 ] || fail "run as root (debootstrap and chroot need it)"
command -v debootstrap >/dev/null || fail "debootstrap is missing: run tools/setup.sh"
command -v dpkg-parsechangelog >/dev/null || fail "dpkg-dev is missing: run tools/setup.sh"

# The archive apt uses on this machine, for the suite and its updates.
sources_of_host() {
  apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    grep -E " $SUITE(-updates|-security)?\$" | sort -u
}
MIRROR=${MIRROR:-$(sources_of_host | awk -v s="$SUITE" '$2 == s { print $1; exit }')}
[ -n "$MIRROR" ] || fail "no $SUITE archive in this machine's apt sources: set MIRROR"

VERSION=$(dpkg-parsechangelog -l "$REPO/debian/changelog" -S Version)
UPSTREAM=${VERSION%-*}
ARCH=$(dpkg --print-architecture)
WORK=$(mktemp -d /var/tmp/velmora-debian.XXXXXX)
chmod 755 "$WORK"
BUILD_ROOT=$WORK/build # the build chroot: build-essential, the build-deps, lintian
TEST_ROOT=$WORK/test   # the test chroot: a fresh Debian 12 and autopkgtest
STARTED=$(date +%s)
STEP_STARTED=$STARTED
TIMES=""

step() {
  now=$(date +%s)
  [ -z "${STEP:-}" ] || TIMES="$TIMES$(printf '%-34s %4d s' "$STEP" $((now - STEP_STARTED)))
"
  STEP=$1
  STEP_STARTED=$now
  say "$1"
}

unmount_all() {
  for root in "$BUILD_ROOT" "$TEST_ROOT"; do
    for m in dev/pts dev proc; do
      if mountpoint -q "$root/$m" 2>/dev/null; then umount -l "$root/$m"; fi
    done
  done
}
cleanup() {
  unmount_all
  rm -rf --one-file-system "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

enter() {
  root=$1
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  sources_of_host | sed "s|^\([^ ]*\) \(.*\)|deb \1 \2 main|" >"$root/etc/apt/sources.list"
}
in_root() {
  root=$1
  shift
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 HOME=/root "$@"
}
as_user() {
  root=$1 user=$2
  shift 2
  chroot --userspec="$user:$user" "$root" env -i PATH=/usr/bin:/bin:/usr/games \
    HOME="/home/$user" LANG=C.UTF-8 "$@"
}
apt_install() {
  root=$1
  shift
  in_root "$root" apt-get install -y -q=2 --no-install-recommends "$@" >/dev/null
}
# Every file and folder of the system, apt's download caches, logs and
# temporary folders left aside.
file_list() {
  in_root "$1" find / -xdev \( -path /proc -o -path /dev -o -path /sys -o -path /run -o \
    -path /tmp -o -path /var/tmp -o -path /var/log -o -path /var/cache/apt -o \
    -path /var/lib/apt/lists -o -path /root \) -prune -o -print | sort
}

step "the source package velmora $VERSION"
rm -rf "$OUT"
mkdir -p "$OUT"
ref=$(git -C "$REPO" stash create)
ref=${ref:-HEAD}
git -C "$REPO" archive --format=tar --prefix="velmora-$UPSTREAM/" "$ref" -- . ':(exclude)debian' |
  xz -6 >"$OUT/velmora_$UPSTREAM.orig.tar.xz"
git -C "$REPO" archive --format=tar --prefix="velmora-$UPSTREAM/" "$ref" >"$WORK/tree.tar"

step "debootstrap $SUITE from $MIRROR"
mkdir -p "$CACHE_DIR"
debootstrap --variant=minbase --cache-dir="$CACHE_DIR" "$SUITE" "$TEST_ROOT" "$MIRROR" \
  >"$WORK/debootstrap.log" 2>&1 || { tail -20 "$WORK/debootstrap.log"; fail "debootstrap"; }
cp -a "$TEST_ROOT" "$BUILD_ROOT"
enter "$BUILD_ROOT"
enter "$TEST_ROOT"

step "build-deps in the build chroot"
in_root "$BUILD_ROOT" apt-get update -q=2
in_root "$BUILD_ROOT" useradd --create-home --shell /bin/sh builder
mkdir -p "$BUILD_ROOT/build/first"
cp "$OUT/velmora_$UPSTREAM.orig.tar.xz" "$BUILD_ROOT/build/first/"
tar -xf "$WORK/tree.tar" -C "$BUILD_ROOT/build/first"
in_root "$BUILD_ROOT" chown -R builder:builder /build
apt_install "$BUILD_ROOT" build-essential dpkg-dev lintian
in_root "$BUILD_ROOT" apt-get build-dep -y -q=2 "/build/first/velmora-$UPSTREAM" >/dev/null
in_root "$BUILD_ROOT" sh -c 'dpkg-query -W -f="\${Package} \${Version}\n" | wc -l' |
  sed 's/^/packages in the build chroot: /'

build() {
  folder=$1
  shift
  as_user "$BUILD_ROOT" builder sh -c "cd '$folder' && DEB_BUILD_OPTIONS=parallel=$(nproc) \
    nice -n 10 dpkg-buildpackage $*" >"$OUT/build-$(basename "$(dirname "$folder")").log" 2>&1 ||
    { tail -40 "$OUT/build-$(basename "$(dirname "$folder")").log"; fail "dpkg-buildpackage $*"; }
}
step "dpkg-buildpackage -us -uc (/build/first)"
build "/build/first/velmora-$UPSTREAM" -us -uc
CHANGES=velmora_${VERSION}_$ARCH.changes
ls "$BUILD_ROOT/build/first"

step "dpkg-source -x, dpkg-buildpackage -b (/build/second/elsewhere)"
as_user "$BUILD_ROOT" builder sh -c "mkdir -p /build/second/elsewhere && cd /build/second/elsewhere &&
  dpkg-source -x /build/first/velmora_$VERSION.dsc velmora-$UPSTREAM >/dev/null"
build "/build/second/elsewhere/velmora-$UPSTREAM" -us -uc -b

step "the same bytes from both builds"
same=0
for deb in "$BUILD_ROOT"/build/first/*.deb; do
  name=$(basename "$deb")
  cmp "$deb" "$BUILD_ROOT/build/second/elsewhere/$name" ||
    fail "$name differs between the two builds (diffoscope shows how)"
  printf '%s: %s bytes, identical (sha256 %.16s)\n' "$name" "$(stat -c %s "$deb")" \
    "$(sha256sum <"$deb")"
  same=$((same + 1))
done
[ "$same" -ge 2 ] || fail "only $same packages built"

step "lintian --fail-on error,warning $CHANGES"
status=0
as_user "$BUILD_ROOT" builder lintian --fail-on error,warning --display-info --show-overrides "/build/first/$CHANGES" >"$OUT/lintian.txt" 2>&1 || status=$?
cat "$OUT/lintian.txt"
[ "$status" = 0 ] || fail "lintian (status $status)"
in_root "$BUILD_ROOT" dpkg-query -W -f='${Version}\n' lintian | sed 's/^/lintian /'
cp "$BUILD_ROOT"/build/first/*_"$VERSION"* "$OUT/"

step "the test chroot: autopkgtest, man-db, a player"
in_root "$TEST_ROOT" apt-get update -q=2
apt_install "$TEST_ROOT" autopkgtest man-db
in_root "$TEST_ROOT" useradd --create-home --shell /bin/sh player
mkdir -p "$TEST_ROOT/packages"
cp "$OUT"/*.deb "$OUT/velmora_$VERSION.dsc" "$OUT"/velmora_"$UPSTREAM"*.tar.* "$TEST_ROOT/packages/"
in_root "$TEST_ROOT" sh -c "cd /packages && dpkg-source -x velmora_$VERSION.dsc source >/dev/null"
file_list "$TEST_ROOT" >"$OUT/files-before.txt"
installed() { in_root "$TEST_ROOT" dpkg-query -W -f='${db:Status-Status}\n' | grep -cx installed; }
PACKAGES_BEFORE=$(installed)

step "apt install velmora velmora-data"
apt_install "$TEST_ROOT" "/packages/velmora_${VERSION}_$ARCH.deb" "/packages/velmora-data_${VERSION}_all.deb"
in_root "$TEST_ROOT" dpkg-query -W -f='${Package} ${Version} ${Status}\n' velmora velmora-data
in_root "$TEST_ROOT" sh -c 'dpkg-query -W -f="\${Depends}\nRecommends: \${Recommends}\n" velmora' |
  sed 's/^\([^R]\)/Depends: \1/'
in_root "$TEST_ROOT" dpkg -L velmora velmora-data >"$OUT/package-files.txt"
printf '%s paths in the two packages; %s packages installed with them, %s MB in all\n' \
  "$(wc -l <"$OUT/package-files.txt")" "$(($(installed) - PACKAGES_BEFORE - 2))" \
  "$(in_root "$TEST_ROOT" du -smx / | cut -f1)"

step "man velmora"
in_root "$TEST_ROOT" env MANWIDTH=80 MANPAGER=cat man velmora >"$OUT/man-velmora.txt"
head -12 "$OUT/man-velmora.txt"
grep -q 'velmora - Japanese adventure game' "$OUT/man-velmora.txt" || fail "man velmora"
for page in velmora-tty velmora-launcher; do
  in_root "$TEST_ROOT" man -w "$page" || fail "no manual page $page"
done

step "autopkgtest on the installed packages"
status=0
in_root "$TEST_ROOT" autopkgtest --no-built-binaries --user player /packages/source/ -- null \
  >"$OUT/autopkgtest.log" 2>&1 || status=$?
sed -n '/^tty-routes\|^window\|@@@@@@@@* summary/,$p' "$OUT/autopkgtest.log" | tail -8
[ "$status" = 0 ] || { tail -60 "$OUT/autopkgtest.log"; fail "autopkgtest (status $status)"; }

step "apt purge velmora velmora-data; apt autoremove --purge"
in_root "$TEST_ROOT" apt-get purge -y -q=2 velmora velmora-data >/dev/null
in_root "$TEST_ROOT" apt-get autoremove --purge -y -q=2 >/dev/null
left=$(in_root "$TEST_ROOT" dpkg-query -W -f='${Package} ${Status}\n' 2>/dev/null |
  grep -E '^velmora(-data)? ' | grep -v 'not-installed' || true)
[ -z "$left" ] || fail "still known to dpkg: $left"
file_list "$TEST_ROOT" >"$OUT/files-after.txt"
if ! diff -u "$OUT/files-before.txt" "$OUT/files-after.txt" >"$OUT/files-diff.txt"; then
  cat "$OUT/files-diff.txt"
  fail "the system's files differ from those before the install"
fi
echo "$(wc -l <"$OUT/files-after.txt") paths, the same before the install and after the purge"

step "done"
TOTAL=$(($(date +%s) - STARTED))
{
  echo "velmora $VERSION, $ARCH, $(date -u '+%Y-%m-%d %H:%M UTC'), $SUITE from $MIRROR"
  printf '%s' "$TIMES"
  printf '%-34s %4d s\n' "total" "$TOTAL"
} | tee "$OUT/summary.txt"
say "PASS: built twice alike, lintian clean, installed, tested, purged without a trace"
