#!/usr/bin/env bash
# Alt+Enter and resizing: the game starts full screen on a 1600x1200 screen, Alt+Enter gives a
# window of twice its size, a resized window keeps the picture's shape with black bars, the
# game goes on in the window (N brings the next screen), and Alt+Enter goes back to full screen.
set -euo pipefail
game=$1 picture=$2
smoke_screen=1600x1200
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screen_checks.sh"

red=FF0000 green=00FF00 blue=0000FF yellow=FFFF00 black=000000
cd "$smoke_dir"
"$picture" Menu1.bmp
"$picture" Menu2.bmp mirrored
SDL_AUDIODRIVER=dummy "$game" >game.out 2>game.err &
game_pid=$!
smoke_pids+=($game_pid)
fail() { echo "$1"; cat game.err; exit 1; }

window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
# Full screen: 2.5 times the picture, no bars.
expect_screen 10 "400 300 $red" "1200 300 $green" "400 900 $blue" "1200 900 $yellow" \
  "2 2 $red" "1597 1197 $yellow" || fail "full screen: the picture does not fill the screen"
keep_screen 1-full-screen

xdotool windowfocus --sync "$window" || true
xdotool key --window "$window" alt+Return
sleep 1
window_origin "$window"
[ "$win_w" -eq 1280 ] && [ "$win_h" -eq 960 ] || fail "window: ${win_w}x${win_h}, not 1280x960"
# Outside the window the screen is the bare (black) root; inside, the picture at twice its size.
expect_screen 5 "$((win_x + 320)) $((win_y + 240)) $red" "$((win_x + 960)) $((win_y + 240)) $green" \
  "$((win_x + 320)) $((win_y + 720)) $blue" "$((win_x + 960)) $((win_y + 720)) $yellow" \
  "$((win_x + 1)) $((win_y + 1)) $red" "$((win_x - 20)) $((win_y + 240)) $black" \
  || fail "window: the picture is not shown at twice its size"
keep_screen 2-window

# A wide, low window: the picture is 667x500 in the middle, black bars left and right.
xdotool windowsize "$window" 900 500
sleep 1
window_origin "$window"
[ "$win_w" -eq 900 ] && [ "$win_h" -eq 500 ] || fail "resized window: ${win_w}x${win_h}"
left=$((win_x + 116))
expect_screen 5 "$((win_x + 50)) $((win_y + 250)) $black" "$((win_x + 850)) $((win_y + 250)) $black" \
  "$((left + 167)) $((win_y + 125)) $red" "$((left + 500)) $((win_y + 125)) $green" \
  "$((left + 167)) $((win_y + 375)) $blue" "$((left + 500)) $((win_y + 375)) $yellow" \
  "$((left + 2)) $((win_y + 2)) $red" "$((left - 2)) $((win_y + 2)) $black" \
  || fail "resized window: the picture does not keep its shape between black bars"
keep_screen 3-resized

# The game went on through the switches: N still starts a game, whose ready screen shows.
xdotool key --window "$window" n
expect_screen 5 "$((left + 167)) $((win_y + 125)) $yellow" "$((left + 500)) $((win_y + 375)) $red" \
  || fail "window: the game did not go on to its ready screen"
keep_screen 4-ready-in-window

xdotool key --window "$window" alt+Return
expect_screen 5 "400 300 $yellow" "1200 900 $red" "2 2 $yellow" "1597 1197 $red" \
  || fail "full screen again: the ready screen does not fill the screen"
keep_screen 5-full-screen-again

xdotool key --window "$window" Escape
wait_exit "$game_pid" || fail "the game did not end cleanly"
# Standard output names the run's demo, and nothing else: the switches say nothing there.
grep -qv "^gaiablade: demo " game.out && fail "the game printed on standard output: $(cat game.out)"
echo "window smoke: full screen, window 1280x960, resized window with bars, ready screen, full screen again"
