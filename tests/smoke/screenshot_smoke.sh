#!/usr/bin/env bash
# F12 writes the picture on the screen, at its own size and in its exact colours, into the
# pictures folder that user-dirs.dirs names, and says the file's name on standard output.
set -euo pipefail
game=$1 picture=$2
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screen_checks.sh"

cd "$smoke_dir"
"$picture" Menu1.bmp
mkdir -p home/.config home/Shots
echo 'XDG_PICTURES_DIR="$HOME/Shots"' >home/.config/user-dirs.dirs
HOME=$smoke_dir/home XDG_CONFIG_HOME= XDG_PICTURES_DIR= SDL_AUDIODRIVER=dummy "$game" >game.out 2>game.err &
game_pid=$!
smoke_pids+=($game_pid)
fail() { echo "$1"; cat game.out game.err; exit 1; }

window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
expect_screen 10 "256 192 FF0000" "768 576 FFFF00" || fail "the first menu is not on the screen"
xdotool windowfocus --sync "$window" || true
xdotool key --window "$window" F12
for _ in $(seq 50); do grep -q "screenshot" game.out && break; sleep 0.1; done
shot=$(sed -n 's/^gaiablade: screenshot //p' game.out)
[ -n "$shot" ] || fail "no screenshot named on standard output"
case "$shot" in
  "$smoke_dir/home/Shots/gaiablade-"*.png) ;;
  *) fail "screenshot $shot is not in the pictures folder" ;;
esac
[ -f "$shot" ] || fail "screenshot $shot was not written"
[ "$(identify -format '%w %h' "$shot")" = "640 480" ] || fail "screenshot is not 640x480"
# Pixel for pixel the picture the game showed: no scaling, no smoothing, no colour change.
differing=$(compare -metric AE "$shot" Menu1.bmp null: 2>&1) || true
[ "$differing" = "0" ] || fail "screenshot differs from the picture in $differing pixels"

xdotool key --window "$window" Escape
wait_exit "$game_pid" || fail "the game did not end cleanly"
echo "screenshot smoke: $(basename "$shot") equals the first menu picture"
