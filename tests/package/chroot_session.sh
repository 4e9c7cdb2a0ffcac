# A clean Debian 12 (debootstrap's minbase) in a temporary folder, unpacked from a tarball made
# once and kept; sourced by the package tests and bench/fresh_play.sh. Needs root.
#   chroot_start TARBALL   unpacks it (making it first when missing) into $chroot_root, with
#                          /proc, /dev and the X server's sockets mounted inside
#   chroot_run COMMAND     runs a shell command inside, as root, in a plain environment
#   chroot_cleanup         unmounts everything and removes the folder
# A failure to make or enter the chroot ends the test with debootstrap's or the command's log.
chroot_root=""
chroot_mounts=()
chroot_mirror=${GAIABLADE_DEBIAN_MIRROR:-http://deb.debian.org/debian}

chroot_fail() {
  echo "chroot: $1"
  [ -s "${2:-}" ] && sed 's/^/  | /' "$2" | tail -n 40
  exit 1
}

chroot_start() {
  local tarball=$1
  [ "$(id -u)" -eq 0 ] || chroot_fail "the chroot needs root"
  command -v debootstrap >/dev/null ||
    chroot_fail "debootstrap is not installed (scripts/install-deps.sh package installs it)"
  if [ ! -s "$tarball" ]; then
    local made
    made=$(mktemp -d)
    echo "chroot: making a Debian 12 minbase in $made (a few minutes, once)"
    debootstrap --variant=minbase bookworm "$made/root" "$chroot_mirror" >"$made/debootstrap.log" 2>&1 ||
      { cp "$made/debootstrap.log" "$made.log"; rm -rf "$made"; chroot_fail "debootstrap failed" "$made.log"; }
    mkdir -p "$(dirname "$tarball")"
    tar -C "$made/root" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$made"
  fi
  chroot_root=$(mktemp -d)
  tar -C "$chroot_root" -xzf "$tarball" || chroot_fail "cannot unpack $tarball"
  cp /etc/resolv.conf "$chroot_root/etc/resolv.conf"
  local target
  for target in proc dev tmp/.X11-unix; do
    mkdir -p "$chroot_root/$target"
    case $target in
      proc) mount -t proc proc "$chroot_root/proc" ;;
      *) mount --bind "/$target" "$chroot_root/$target" ;;
    esac || chroot_fail "cannot mount /$target in the chroot"
    chroot_mounts+=("$chroot_root/$target")
  done
  chroot_run true || chroot_fail "cannot run a command in the chroot"
}

chroot_run() {
  chroot "$chroot_root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/games \
    HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive DISPLAY="${DISPLAY:-}" SDL_AUDIODRIVER=dummy \
    /bin/bash -c "$1"
}

chroot_cleanup() {
  [ -n "$chroot_root" ] || return 0
  local i
  for ((i = ${#chroot_mounts[@]} - 1; i >= 0; i--)); do
    umount "${chroot_mounts[i]}" 2>/dev/null || umount -l "${chroot_mounts[i]}" || true
  done
  # Never remove a folder something is still mounted in (the X sockets, the host's /dev).
  if grep -q " $chroot_root/" /proc/mounts; then
    echo "chroot: $chroot_root still has mounts; left in place"
  else
    rm -rf "$chroot_root"
  fi
  chroot_root=""
}
