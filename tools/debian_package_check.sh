#!/bin/sh
# Builds the Debian source package of the game (debian/) and its binary
# packages velmora and velmora-data in a clean Debian 12 chroot, and tries
# them as Debian does:
#   1. dpkg-buildpackage -us -uc in one folder, then the binary packages
#      again from the .dsc in another folder: both builds must give the same
#      .deb bytes (cmp);
#   2. lintian --pedantic -I -E --fail-on error,warning on the .changes and
#      the .dsc, every tag it still shows listed (the overridden ones are in
#      debian/*lintian-overrides, each with its reason);
#   3. CPack's package built from the same source, in the build chroot;
#   4. in a second fresh chroot: the packages installed with apt, `man
#      velmora`, the autopkgtest (debian/tests) run on the installed
#      packages as an ordinary user; CPack's package and Debian's installed
#      one after the other, either order: apt replaces one by the other,
#      dpkg refuses with its own message, and dpkg --audit finds nothing
#      half installed; then everything purged and what it pulled in
#      autoremoved: the file list of the system must be the one taken
#      before the install.
#
#   sudo tools/debian_package_check.sh [OUT_DIR]
#
# The source is the checkout's tracked files as they stand (uncommitted
# changes included, untracked files not); the upstream tarball is made by
# tools/dist.sh, as debian/README.source says. The packages, the lintian report,
# the logs and the time of each step land in OUT_DIR (build-debian/). Needs
# root, debootstrap, dpkg-dev (tools/setup.sh) and the Debian archive (the
# mirror apt uses here: tools/chroot_common.sh). Takes half an hour or more,
# so it is not part of the test command.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
. "$REPO/tools/chroot_common.sh"
OUT=${1:-$REPO/build-debian}
command -v dpkg-parsechangelog >/dev/null || fail "dpkg-dev is missing: run tools/setup.sh"

VERSION=$(dpkg-parsechangelog -l "$REPO/debian/changelog" -S Version)
UPSTREAM=${VERSION%-*}
ARCH=$(dpkg --print-architecture)
WORK=$(mktemp -d /var/tmp/velmora-debian.XXXXXX)
chmod 755 "$WORK"
BUILD_ROOT=$WORK/build # build-essential, the Build-Depends, lintian
TEST_ROOT=$WORK/test   # a fresh Debian 12, autopkgtest and what the tests need
cleanup() {
  leave_chroot "$BUILD_ROOT"
  leave_chroot "$TEST_ROOT"
  rm -rf --one-file-system "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

STARTED=$(date +%s)
TIMES=""
step() {
  now=$(date +%s)
  [ -z "${STEP:-}" ] || TIMES="$TIMES$(printf '%-64s %5d s' "$STEP" $((now - STEP_STARTED)))
"
  STEP=$1
  STEP_STARTED=$now
  say "$1"
}
# Runs a command with its output set aside, shown only when it fails.
quietly() {
  "$@" >"$WORK/quiet.log" 2>&1 || { tail -40 "$WORK/quiet.log"; fail "$*"; }
}
apt_install() {
  root=$1
  shift
  quietly in_chroot "$root" apt-get install -y -q=2 --no-install-recommends "$@"
}
build() {
  folder=$1 log=$2
  shift 2
  as_user_in_chroot "$BUILD_ROOT" builder sh -c "cd '$folder' &&
    DEB_BUILD_OPTIONS=parallel=$(nproc) nice -n 10 dpkg-buildpackage $*" >"$OUT/$log" 2>&1 ||
    { tail -40 "$OUT/$log"; fail "dpkg-buildpackage $* (the log: $OUT/$log)"; }
}
# Every file and folder of the test system, its caches (which their programs
# make again: apt's, man-db's, debconf's), logs, apt's lists and temporary
# folders left aside.
file_list() {
  in_chroot "$TEST_ROOT" find / -xdev \( -path /proc -o -path /dev -o -path /sys -o \
    -path /run -o -path /tmp -o -path /var/tmp -o -path /var/log -o -path /var/cache -o \
    -path /var/lib/apt/lists -o -path /root \) -prune -o -print | sort
}
installed_packages() {
  in_chroot "$1" dpkg-query -W -f='${db:Status-Status}\n' | grep -cx installed
}

step "the source package velmora $VERSION"
rm -rf "$OUT"
mkdir -p "$OUT"
ref=$(git -C "$REPO" stash create)
ref=${ref:-HEAD}
sh "$REPO/tools/dist.sh" "$ref" "$OUT" >/dev/null
[ -f "$OUT/velmora_$UPSTREAM.orig.tar.xz" ] || fail "tools/dist.sh made no velmora_$UPSTREAM.orig.tar.xz"
git -C "$REPO" archive --format=tar --prefix="velmora-$UPSTREAM/" "$ref" >"$WORK/tree.tar"
changes=$([ "$ref" = HEAD ] || echo ' with uncommitted changes')
echo "from $(git -C "$REPO" rev-parse --short HEAD)$changes"

step "debootstrap $SUITE from $MIRROR"
make_chroot "$TEST_ROOT"
cp -a "$TEST_ROOT" "$BUILD_ROOT"
enter_chroot "$BUILD_ROOT"
enter_chroot "$TEST_ROOT"

step "the build chroot: build-essential, lintian, the Build-Depends"
in_chroot "$BUILD_ROOT" apt-get update -q=2
in_chroot "$BUILD_ROOT" useradd --create-home --shell /bin/sh builder
mkdir -p "$BUILD_ROOT/build/first"
cp "$OUT/velmora_$UPSTREAM.orig.tar.xz" "$BUILD_ROOT/build/first/"
tar -xf "$WORK/tree.tar" -C "$BUILD_ROOT/build/first"
in_chroot "$BUILD_ROOT" chown -R builder:builder /build
apt_install "$BUILD_ROOT" build-essential dpkg-dev lintian
quietly in_chroot "$BUILD_ROOT" apt-get build-dep -y -q=2 "/build/first/velmora-$UPSTREAM"
echo "$(installed_packages "$BUILD_ROOT") packages"

CHANGES=/build/first/velmora_${VERSION}_$ARCH.changes
step "dpkg-buildpackage -us -uc in /build/first"
build "/build/first/velmora-$UPSTREAM" build-first.log -us -uc
ls "$BUILD_ROOT/build/first" | grep -v "^velmora-$UPSTREAM\$"

step "dpkg-source -x, dpkg-buildpackage -b in /build/second/elsewhere"
as_user_in_chroot "$BUILD_ROOT" builder sh -c "mkdir -p /build/second/elsewhere /build/tests &&
  dpkg-source -x /build/first/velmora_$VERSION.dsc /build/second/elsewhere/velmora-$UPSTREAM &&
  dpkg-source -x /build/first/velmora_$VERSION.dsc /build/tests/source" >/dev/null 2>&1 ||
  fail "dpkg-source -x velmora_$VERSION.dsc"
build "/build/second/elsewhere/velmora-$UPSTREAM" build-second.log -us -uc -b

step "the same bytes from both builds"
same=0
for deb in "$BUILD_ROOT"/build/first/*.deb; do
  name=$(basename "$deb")
  if ! cmp "$deb" "$BUILD_ROOT/build/second/elsewhere/$name"; then
    mkdir -p "$OUT/first" "$OUT/second"
    cp "$deb" "$OUT/first/"
    cp "$BUILD_ROOT/build/second/elsewhere/$name" "$OUT/second/"
    fail "$name differs between the two builds: diffoscope $OUT/first/$name $OUT/second/$name"
  fi
  printf '%s: %s bytes, the same from both (sha256 %.16s)\n' "$name" "$(stat -c %s "$deb")" \
    "$(sha256sum <"$deb")"
  same=$((same + 1))
done
[ "$same" -ge 2 ] || fail "only $same packages built"
cp "$BUILD_ROOT"/build/first/*_"$VERSION"* "$OUT/"

step "lintian --pedantic -I -E on velmora_${VERSION}_$ARCH.changes and velmora_$VERSION.dsc"
LINTIAN="lintian --pedantic -I -E --fail-on error,warning"
status=0
for what in "velmora_${VERSION}_$ARCH.changes" "velmora_$VERSION.dsc"; do
  echo "== $what"
  as_user_in_chroot "$BUILD_ROOT" builder $LINTIAN "/build/first/$what" || status=$?
done >"$OUT/lintian.txt" 2>&1
in_chroot "$BUILD_ROOT" dpkg-query -W -f='lintian ${Version}\n' lintian
cat "$OUT/lintian.txt"
[ "$status" = 0 ] || fail "lintian (status $status)"
echo "tags by severity (E error, W warning, I info, P pedantic, X experimental, C classification):"
grep -o '^[EWIPXC]: [^ ]*: [a-z0-9-]*' "$OUT/lintian.txt" | sed 's/: .*: / /' | sort | uniq -c
# Listed apart: with --show-overrides lintian 2.116 fails on overridden tags.
echo "overridden, each for the reason given in debian/*lintian-overrides:"
as_user_in_chroot "$BUILD_ROOT" builder lintian --show-overrides "$CHANGES" 2>&1 |
  grep '^O: ' | tee "$OUT/lintian-overrides.txt" || true

step "CPack's package from the same source, in /build/cpack"
as_user_in_chroot "$BUILD_ROOT" builder sh -c "cd /build/tests/source &&
  cmake -S . -B /build/cpack -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF &&
  nice -n 10 cmake --build /build/cpack && cd /build/cpack && cpack -G DEB" >"$OUT/build-cpack.log" 2>&1 ||
  { tail -40 "$OUT/build-cpack.log"; fail "CPack's package (the log: $OUT/build-cpack.log)"; }
CPACK_DEB=$(cd "$BUILD_ROOT/build/cpack" && ls velmora-standalone_*.deb)
cp "$BUILD_ROOT/build/cpack/$CPACK_DEB" "$OUT/"
echo "$CPACK_DEB: $(dpkg-deb --field "$OUT/$CPACK_DEB" Conflicts Replaces | tr '\n' ' ')"

step "the test chroot: autopkgtest, man-db and the tests' own needs"
in_chroot "$TEST_ROOT" apt-get update -q=2
# Installed before the first file list, since autopkgtest marks what it
# installs as installed by hand: dpkg-dev, which it wants for a source tree,
# and what debian/tests/control asks besides the packages themselves.
needs=$(sed -n 's/^Depends://p' "$REPO/debian/tests/control" | tr ',' '\n' |
  sed 's/ //g' | grep -v -e '^velmora' -e '^@' -e '^$' | sort -u)
# shellcheck disable=SC2086
apt_install "$TEST_ROOT" autopkgtest dpkg-dev man-db $needs
# The bytecode autopkgtest's first run would write.
in_chroot "$TEST_ROOT" python3 -m compileall -q /usr/share/autopkgtest >/dev/null
in_chroot "$TEST_ROOT" useradd --create-home --shell /bin/sh player
mkdir -p "$TEST_ROOT/packages"
cp "$OUT"/*.deb "$TEST_ROOT/packages/"
rm -f "$TEST_ROOT/packages/"*-dbgsym_*
cp -a "$BUILD_ROOT/build/tests/source" "$TEST_ROOT/packages/source"
file_list >"$OUT/files-before.txt"
PACKAGES_BEFORE=$(installed_packages "$TEST_ROOT")
echo "$PACKAGES_BEFORE packages, $(wc -l <"$OUT/files-before.txt") paths"

step "apt install velmora velmora-data"
apt_install "$TEST_ROOT" "/packages/velmora_${VERSION}_$ARCH.deb" \
  "/packages/velmora-data_${VERSION}_all.deb"
in_chroot "$TEST_ROOT" dpkg-query -W -f='${Package} ${Version} ${db:Status-Abbrev}\n' \
  velmora velmora-data
in_chroot "$TEST_ROOT" dpkg-query -W -f='Depends: ${Depends}\nRecommends: ${Recommends}\n' velmora
in_chroot "$TEST_ROOT" dpkg -L velmora velmora-data >"$OUT/package-files.txt"
echo "$(wc -l <"$OUT/package-files.txt") paths in the two packages;" \
  "$(($(installed_packages "$TEST_ROOT") - PACKAGES_BEFORE - 2)) packages installed with them"

step "man velmora"
in_chroot "$TEST_ROOT" env MANWIDTH=80 MANPAGER=cat man velmora >"$OUT/man-velmora.txt"
head -8 "$OUT/man-velmora.txt"
grep -q '^ *velmora - Japanese adventure game' "$OUT/man-velmora.txt" || fail "man velmora"
in_chroot "$TEST_ROOT" man -w velmora-tty || fail "no manual page velmora-tty"

step "autopkgtest on the installed packages, as the user player"
status=0
in_chroot "$TEST_ROOT" autopkgtest --no-built-binaries --user player /packages/source/ -- null \
  >"$OUT/autopkgtest.log" 2>&1 || status=$?
sed -n '/^autopkgtest .*: test [a-z-]*: \[-/,/^autopkgtest .*: test [a-z-]*: -*\]/p' \
  "$OUT/autopkgtest.log" | grep -v '^autopkgtest '
sed -n '/@@@@ summary/,$p' "$OUT/autopkgtest.log"
[ "$status" = 0 ] || { tail -60 "$OUT/autopkgtest.log"; fail "autopkgtest (status $status)"; }

step "CPack's package and Debian's, one after the other, either order"
# The packages of the three that are installed, any in a state between
# (unpacked, half installed...), and what dpkg --audit finds.
states() {
  for p in velmora velmora-data velmora-standalone; do
    state=$(in_chroot "$TEST_ROOT" dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    case "$state" in
    installed) printf '%s ' "$p" ;;
    "" | not-installed | config-files) ;;
    *) printf '%s:%s ' "$p" "$state" ;;
    esac
  done
  in_chroot "$TEST_ROOT" dpkg --audit
}
expect_states() {
  now=$(states)
  echo "  installed: $now"
  [ "$now" = "$1" ] || fail "expected: $1"
}
DEBIAN_DEBS="/packages/velmora_${VERSION}_$ARCH.deb /packages/velmora-data_${VERSION}_all.deb"
echo "Debian's installed; apt install ./$CPACK_DEB:"
# shellcheck disable=SC2086
quietly in_chroot "$TEST_ROOT" apt-get install -y -q=2 --no-install-recommends "/packages/$CPACK_DEB"
expect_states "velmora-standalone "
echo "CPack's installed; dpkg -i Debian's two packages:"
status=0
# shellcheck disable=SC2086
in_chroot "$TEST_ROOT" dpkg -i $DEBIAN_DEBS >"$WORK/dpkg.log" 2>&1 || status=$?
grep -m2 'conflict' "$WORK/dpkg.log" | sed 's/^/  | /'
[ "$status" != 0 ] || fail "dpkg installed Debian's packages over CPack's"
expect_states "velmora-standalone "
echo "CPack's installed; apt install Debian's two packages:"
# shellcheck disable=SC2086
apt_install "$TEST_ROOT" $DEBIAN_DEBS
expect_states "velmora velmora-data "
echo "Debian's installed; dpkg -i ./$CPACK_DEB:"
quietly in_chroot "$TEST_ROOT" dpkg -i "/packages/$CPACK_DEB"
expect_states "velmora-standalone "
in_chroot "$TEST_ROOT" dpkg -S /usr/games/velmora

step "apt purge velmora velmora-data velmora-standalone, apt autoremove --purge"
quietly in_chroot "$TEST_ROOT" apt-get purge -y -q=2 velmora velmora-data velmora-standalone
quietly in_chroot "$TEST_ROOT" apt-get autoremove --purge -y -q=2
file_list >"$OUT/files-after.txt"
if ! diff -u "$OUT/files-before.txt" "$OUT/files-after.txt" >"$OUT/files-diff.txt"; then
  cat "$OUT/files-diff.txt"
  fail "the system's files differ from those before the install"
fi
echo "$(installed_packages "$TEST_ROOT") packages, $(wc -l <"$OUT/files-after.txt") paths:" \
  "the same as before the install"

step "done"
{
  echo "velmora $VERSION, $ARCH, $(date -u '+%Y-%m-%d %H:%M UTC'), $SUITE from $MIRROR"
  printf '%s' "$TIMES"
  printf '%-64s %5d s\n' "total" "$(($(date +%s) - STARTED))"
} | tee "$OUT/summary.txt"
say "PASS: built twice alike, lintian clean, installed, tested, purged without a trace"
