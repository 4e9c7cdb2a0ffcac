#!/usr/bin/env bash
# Without any display the game exits non-zero at once, with one clear line on standard error
# and nothing else, as in a root shell on a server (no DISPLAY, no XDG_RUNTIME_DIR).
set -uo pipefail
game=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy timeout 10 "$game" 2>err.txt
status=$?
cat err.txt
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || { echo "exit status $status"; exit 1; }
grep -q "no display" err.txt || { echo "no clear line about the display"; exit 1; }
lines=$(wc -l <err.txt)
[ "$lines" -eq 1 ] || { echo "standard error holds $lines lines, not one"; exit 1; }
echo "no display: exit status $status"
