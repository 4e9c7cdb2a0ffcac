#!/usr/bin/env bash
# An installed copy in a fresh prefix, started from an unrelated folder, finds its data beside
# itself and shows the first menu: the same picture the headless run shows in its first pass.
set -euo pipefail
build=$1 headless=$2
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screen_checks.sh"

cd "$smoke_dir"
prefix=$smoke_dir/prefix
cmake --install "$build" --prefix "$prefix" >install.log || { cat install.log; exit 1; }
fail() { echo "$1"; cat game.out game.err 2>/dev/null; exit 1; }
for file in bin/gaiablade share/gaiablade/Menu1.bmp share/gaiablade/PALDATA2.PAL \
            share/applications/gaiablade.desktop share/man/man6/gaiablade.6; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
if [ -f "$build/icons/gaiablade.png" ]; then
  [ -f "$prefix/share/icons/hicolor/256x256/apps/gaiablade.png" ] || fail "not installed: the icon"
fi

mkdir elsewhere home
cd elsewhere
HOME=$smoke_dir/home XDG_CONFIG_HOME= XDG_PICTURES_DIR= SDL_AUDIODRIVER=dummy \
  "$prefix/bin/gaiablade" >../game.out 2>../game.err &
game_pid=$!
smoke_pids+=($game_pid)
cd ..

window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
[ "$(readlink "/proc/$game_pid/cwd")" = "$prefix/share/gaiablade" ] ||
  fail "the installed game reads its data from $(readlink "/proc/$game_pid/cwd")"
expect_full_screen 10 "$prefix/share/gaiablade/Menu1.bmp" || fail "the first menu is not on the screen"
keep_screen installed-first-menu

# The screen's own picture, byte for byte the frame a headless run presents first.
xdotool windowfocus --sync "$window" || true
xdotool key --window "$window" F12
for _ in $(seq 50); do grep -q "screenshot" game.out && break; sleep 0.1; done
shot=$(sed -n 's/^gaiablade: screenshot //p' game.out)
[ -n "$shot" ] && [ -f "$shot" ] || fail "no screenshot"
"$headless" --data "$prefix/share/gaiablade" --passes 1 --frames frames >/dev/null
cmp -s "$shot" frames/frame-000000.png || fail "the first menu differs from the headless run's first frame"

xdotool key --window "$window" Escape
wait_exit "$game_pid" || fail "the game did not end cleanly"
grep -q "no data folder" game.err && fail "the installed game looked for its data in vain"
echo "install smoke: installed into a fresh prefix, started elsewhere, first menu shown"
