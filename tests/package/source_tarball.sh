#!/usr/bin/env bash
# The released source as someone without git meets it: unpacked into a folder with no .git,
# then built with make play's own build (make game), which must make the game and its data pack.
# Usage: source_tarball.sh TARBALL [JOBS]
set -euo pipefail
tarball=$(realpath "$1") jobs=${2:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -C "$work" -xzf "$tarball" || { echo "cannot unpack $tarball"; exit 1; }
source=$(echo "$work"/gaiablade-*)
[ -f "$source/Makefile" ] || { echo "no Makefile at the top of the tarball"; exit 1; }
[ ! -e "$source/.git" ] && [ -z "$(find "$work" -name .git)" ] || { echo "the tarball holds a .git"; exit 1; }
make -C "$source" game JOBS="$jobs" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log"; exit 1; }
for file in build/gaiablade build/data/Menu1.bmp build/data/PALDATA2.PAL; do
  [ -f "$source/$file" ] || { echo "the build made no $file"; exit 1; }
done
grep -q "warning:" "$work/build.log" && { grep "warning:" "$work/build.log"; exit 1; }
echo "source tarball: unpacked without git, built the game and its data pack"
