# The steps the scripts that try the game on a fresh Debian 12 chroot share
# (tools/chroot_check.sh, tools/debian_package_check.sh). Sourced, not run.
#
# MIRROR: the Debian archive debootstrap and apt use; by default the one apt
# uses on this machine for bookworm. CACHE_DIR keeps the downloaded base
# packages for the next run (/var/cache/velmora-chroot).
SUITE=bookworm
CACHE_DIR=${CACHE_DIR:-/var/cache/velmora-chroot}

say() { printf '== %s\n' "$*"; }
fail() {
  printf 'FAILED: %s\n' "$*" >&2
  exit 1
}

[ "$(id -u)" = 0 ] || fail "run as root (debootstrap and chroot need it)"
command -v debootstrap >/dev/null || fail "debootstrap is missing: run tools/setup.sh"

# The archives apt uses on this machine for the suite, its updates and its
# security updates: "URI SUITE" lines.
host_archives() {
  apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    grep -E " $SUITE(-updates|-security)?\$" | sort -u
}
MIRROR=${MIRROR:-$(host_archives | awk -v s="$SUITE" '$2 == s { print $1; exit }')}
[ -n "$MIRROR" ] || fail "no $SUITE archive in this machine's apt sources: set MIRROR"

# A minimal Debian 12 in ROOT, with the machine's archives in its apt
# sources, /proc, /dev and the name service of the machine.
make_chroot() {
  root=$1
  mkdir -p "$CACHE_DIR"
  debootstrap --variant=minbase --cache-dir="$CACHE_DIR" "$SUITE" "$root" "$MIRROR" \
    >"$root.log" 2>&1 || { tail -20 "$root.log"; fail "debootstrap"; }
  rm -f "$root.log"
  archives=$(host_archives)
  [ -z "$archives" ] || echo "$archives" | sed 's/^\([^ ]*\) \(.*\)$/deb \1 \2 main/' \
    >"$root/etc/apt/sources.list"
}
enter_chroot() {
  root=$1
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
}
leave_chroot() {
  root=$1
  for m in dev/pts dev proc; do
    if mountpoint -q "$root/$m" 2>/dev/null; then umount -l "$root/$m"; fi
  done
}
# A command as root inside ROOT, with a clean environment.
in_chroot() {
  root=$1
  shift
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 HOME=/root "$@"
}
# A command as USER inside ROOT.
as_user_in_chroot() {
  root=$1 user=$2
  shift 2
  chroot --userspec="$user:$user" "$root" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/games \
    HOME="/home/$user" LANG=C.UTF-8 "$@"
}
