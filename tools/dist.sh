#!/bin/sh
# Makes the upstream tarball of the game from its git history: every file
# tracked at REF, under the folder velmora-VERSION/, the Debian packaging
# (debian/) left out, compressed with xz. VERSION is the project's
# (CMakeLists.txt); the tarball is named as Debian's source package wants it.
#
#   tools/dist.sh [REF [OUT_DIR]]       (default: HEAD, the checkout's parent folder)
#
# It prints the tarball's path. The same REF gives the same bytes: git's
# archive takes each file's time from REF's commit, and xz is run alone.
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
REF=${1:-HEAD}
OUT=${2:-$(dirname "$REPO")}
VERSION=$(sed -n 's/^project(velmora VERSION \([0-9.]*\).*/\1/p' "$REPO/CMakeLists.txt")
[ -n "$VERSION" ] || { echo "dist.sh: no version in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$OUT"
TARBALL=$OUT/velmora_$VERSION.orig.tar.xz
git -C "$REPO" archive --format=tar --prefix="velmora-$VERSION/" "$REF" -- . ':(exclude)debian' |
  xz -6 -T1 >"$TARBALL.part"
mv "$TARBALL.part" "$TARBALL"
echo "$TARBALL"
