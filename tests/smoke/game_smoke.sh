#!/usr/bin/env bash
# Starts the real game under Xvfb with a test picture as the first menu, checks the picture on
# the screen, then ends the game with Escape ("escape") or by closing its window ("close").
set -euo pipefail
game=$1 picture=$2 mode=$3
source "$(dirname "$0")/xvfb_session.sh"

cd "$smoke_dir"
"$picture" Menu1.bmp
SDL_AUDIODRIVER=dummy "$game" >game.out 2>game.err &
game_pid=$!
smoke_pids+=($game_pid)

window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
sleep 1.5
import -window root shot.png

# The 640x480 picture fills the 1024x768 screen (an exact 1.6 scale): sample each quadrant.
pixel() { convert shot.png -format "%[pixel:p{$1,$2}]" info:; }
fail=0
check() {
  local got; got=$(pixel "$1" "$2")
  case "$got" in
    *"$3"*) ;;
    *) echo "pixel ($1,$2): expected $3, got $got"; fail=1 ;;
  esac
}
check 256 192 "(255,0,0)"
check 768 192 "(0,255,0)"
check 256 576 "(0,0,255)"
check 768 576 "(255,255,0)"
check 5 5 "(255,0,0)"
check 1018 762 "(255,255,0)"

xdotool windowfocus --sync "$window" || true
if [ "$mode" = escape ]; then
  xdotool key --window "$window" Escape || xdotool key Escape
else
  xdotool key ctrl+alt+Escape   # the window manager's close, which asks the window to close
fi

status=0
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "the game did not exit within 5 s of the $mode request"
  cat game.err
  exit 1
fi
wait "$game_pid" || status=$?
[ "$status" -eq 0 ] || { echo "exit status $status"; cat game.err; exit 1; }
[ "$fail" -eq 0 ] || { cat game.err; exit 1; }
echo "smoke $mode: picture shown, exit status 0"
