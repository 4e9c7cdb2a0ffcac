#!/usr/bin/env bash
# The Debian package as a user meets it, in a clean Debian 12 (a debootstrap chroot): `apt-get
# install ./gaiablade_*.deb` brings its dependencies from the archive, `gaiablade` started from
# an empty folder shows the first menu on a virtual screen outside, Escape ends it with status 0,
# and `apt-get purge` leaves none of its files behind. Needs root and the package archive.
# Usage: deb_install.sh DEB TARBALL
set -euo pipefail
deb=$(realpath "$1") tarball=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$deb" ] || { echo "no package $deb: run make deb"; exit 1; }
source "$here/tests/smoke/xvfb_session.sh"
source "$here/tests/smoke/screen_checks.sh"
source "$here/tests/package/chroot_session.sh"
trap 'chroot_cleanup; smoke_cleanup' EXIT

chroot_start "$tarball"
cp "$deb" "$chroot_root/tmp/"
name=$(basename "$deb")
chroot_run "apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/$name" \
  >"$smoke_dir/install.log" 2>&1 || chroot_fail "apt-get install ./$name failed" "$smoke_dir/install.log"
chroot_run 'dpkg-query -L gaiablade' >"$smoke_dir/files"
grep -qx /usr/games/gaiablade "$smoke_dir/files" || chroot_fail "the package holds no /usr/games/gaiablade" "$smoke_dir/files"
[ -f "$chroot_root/usr/share/sounds/sf2/TimGM6mb.sf2" ] || chroot_fail "no SoundFont came with it" "$smoke_dir/install.log"

chroot_run 'mkdir /root/empty && cd /root/empty && exec gaiablade' >"$smoke_dir/game.out" 2>"$smoke_dir/game.err" &
game=$!
smoke_pids+=($game)
expect_full_screen 30 "$chroot_root/usr/share/gaiablade/Menu1.bmp" || chroot_fail "no first menu" "$smoke_dir/game.err"
keep_screen deb-first-menu
xdotool key Escape
wait_exit "$game" || chroot_fail "the game did not end cleanly" "$smoke_dir/game.err"
! grep -q "no data folder\|cannot\|missing" "$smoke_dir/game.err" ||
  chroot_fail "the installed game missed something" "$smoke_dir/game.err"

chroot_run 'apt-get purge -y -qq gaiablade' >"$smoke_dir/purge.log" 2>&1 ||
  chroot_fail "apt-get purge gaiablade failed" "$smoke_dir/purge.log"
left=()
while IFS= read -r path; do
  # The folders the package shares with others (/usr, /usr/share ...) stay.
  [ -e "$chroot_root$path" ] && ! [ -d "$chroot_root$path" ] && left+=("$path")
done <"$smoke_dir/files"
for dir in /usr/share/gaiablade /usr/share/doc/gaiablade; do
  [ -e "$chroot_root$dir" ] && left+=("$dir")
done
[ ${#left[@]} -eq 0 ] || { printf 'left behind: %s\n' "${left[@]}"; exit 1; }
chroot_run 'dpkg-query -W gaiablade' >/dev/null 2>&1 && { echo "dpkg still knows gaiablade"; exit 1; }
echo "deb install: installed with its dependencies, first menu shown from an empty folder, purged without a trace"
