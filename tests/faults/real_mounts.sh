#!/bin/sh
# Saving onto a read-only file system and onto a full one, for real: tmpfs
# mounts in a private mount namespace (as root a read-only folder is still
# writable, a read-only mount is not). velmora-tty loads the slot, saves it
# back, and must report the failure, keep the slot byte for byte and leave
# no helper file.
#
#   real_mounts.sh VELMORA_TTY DRIVE_TTY_PY
set -eu
TTY=$1
DRIVE=$2
SKIP=77

if [ "${VELMORA_IN_NAMESPACE:-}" != 1 ]; then
    if ! unshare -m --propagation private true 2>/dev/null; then
        echo "SKIP: unshare -m is not permitted here (needs root or CAP_SYS_ADMIN)"
        exit $SKIP
    fi
    exec env VELMORA_IN_NAMESPACE=1 unshare -m --propagation private sh "$0" "$@"
fi

work=$(mktemp -d)
trap 'umount "$work/mnt" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/mnt"

# A slot saved in the hero's room: loading it opens the menu at once.
write_slot() {
    python3 - "$1" <<'PY'
import sys
flags = [0] * 135
flags[123], flags[124], flags[125], flags[126], flags[127], flags[128] = 1, 2, 30, 2, 4, 1
open(sys.argv[1] + "/file1", "wb").write("".join(f"{v}\r\n" for v in flags).encode())
open(sys.argv[1] + "/file1_text", "wb").write('"部屋","佐々木","リュウ君"\r\n'.encode("cp932"))
PY
}

# Loads file1, saves into file1, and quits.
play() {
    python3 "$DRIVE" "$TTY" "$work/mnt" yes file1 yes セーブ file1 yes 終了 yes >"$work/trace"
}

check() {  # $1: what, $2: the error text expected in the message
    grep -q "^MSG file1 をロードしました。" "$work/trace" || { echo "FAIL $1: the slot did not load"; cat "$work/trace"; exit 1; }
    if ! grep -q "^MSG ＜file1 にセーブできませんでした。.*$2" "$work/trace"; then
        echo "FAIL $1: no failure reported with \"$2\""
        grep '^MSG' "$work/trace" | tail -5
        exit 1
    fi
    if grep -q "^MSG file1 にセーブしました。" "$work/trace"; then echo "FAIL $1: success reported"; exit 1; fi
    cmp "$work/mnt/file1" "$work/file1" && cmp "$work/mnt/file1_text" "$work/file1_text" ||
        { echo "FAIL $1: the slot changed"; exit 1; }
    left=$(ls -A "$work/mnt" | grep -v -x -e file1 -e file1_text -e fill || true)
    [ -z "$left" ] || { echo "FAIL $1: left behind: $left"; exit 1; }
    echo "ok $1: $(grep -o 'にセーブできませんでした。[^＞]*' "$work/trace")"
}

# 1. A read-only mount.
if ! mount -t tmpfs -o size=1m tmpfs "$work/mnt" 2>/dev/null; then
    echo "SKIP: mounting a tmpfs is not permitted here"
    exit $SKIP
fi
write_slot "$work/mnt"
cp "$work/mnt/file1" "$work/mnt/file1_text" "$work/"
mount -o remount,ro "$work/mnt"
play
check "read-only mount" "Read-only file system"
umount "$work/mnt"

# 2. A full file system: a tiny tmpfs filled up after the slot was written.
mount -t tmpfs -o size=64k tmpfs "$work/mnt"
write_slot "$work/mnt"
dd if=/dev/zero of="$work/mnt/fill" bs=4k 2>/dev/null || true
play
check "full file system" "No space left on device"
umount "$work/mnt"
