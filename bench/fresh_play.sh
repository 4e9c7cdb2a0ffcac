#!/usr/bin/env bash
# A player's first game on a fresh Debian 12: in a clean chroot with only git and make added,
# `git clone` of REPO, then `make play`, timed until the first menu fills the virtual screen
# (Xvfb runs outside, the game inside draws on it). Prints the packages and the download that
# make play brought, and the time. Needs root.
# Usage: bench/fresh_play.sh REPO [TARBALL]   (TARBALL: a kept minbase chroot, made when missing)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
repo=$(cd "$1" && pwd)
tarball=${2:-$here/build/chroot/bookworm-minbase.tar.gz}
source "$here/tests/smoke/xvfb_session.sh"
source "$here/tests/smoke/screen_checks.sh"
source "$here/tests/package/chroot_session.sh"
trap 'chroot_cleanup; smoke_cleanup' EXIT

chroot_start "$tarball"
# The repository as a player's clone would see it (a worktree's .git points outside).
git clone -q --bare "$repo" "$chroot_root/mnt/repo"

# What README asks for before its commands.
chroot_run 'apt-get update -qq && apt-get install -y -qq --no-install-recommends git make ca-certificates' \
  >"$smoke_dir/before.log" 2>&1 || chroot_fail "installing git and make failed" "$smoke_dir/before.log"
chroot_run 'apt-get clean; git config --global --add safe.directory "*"'
count() { chroot_run "dpkg-query -W -f='\${Status}\n' | grep -c 'install ok installed'"; }
packages_before=$(count)

echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
start=$SECONDS
chroot_run 'git clone -q /mnt/repo /root/gaiablade && cd /root/gaiablade && make play' \
  >"$smoke_dir/play.log" 2>&1 &
play_pid=$!
smoke_pids+=($play_pid)
menu=$chroot_root/root/gaiablade/build/data/Menu1.bmp
until [ -f "$menu" ] && expect_full_screen 0 "$menu" >/dev/null 2>&1; do
  kill -0 "$play_pid" 2>/dev/null || chroot_fail "make play ended before the first menu" "$smoke_dir/play.log"
  [ $((SECONDS - start)) -lt 1200 ] || chroot_fail "no first menu after 20 minutes" "$smoke_dir/play.log"
  sleep 1
done
seconds=$((SECONDS - start))
echo "load average at the first menu: $(cut -d' ' -f1-3 /proc/loadavg)"
xdotool key Escape
wait "$play_pid" || chroot_fail "make play did not end cleanly" "$smoke_dir/play.log"

packages_after=$(count)
download=$(du -cb "$chroot_root"/var/cache/apt/archives/*.deb | tail -n 1 | cut -f1)
echo "make play: $((packages_after - packages_before)) packages, $((download / 1000000)) MB downloaded," \
  "first menu after $((seconds / 60)) min $((seconds % 60)) s"
echo "before it: $packages_before packages (minbase with git and make)"
