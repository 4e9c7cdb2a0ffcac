#!/usr/bin/env bash
# Keys and focus in the Windows program under Wine. A Space tapped for 100 ms on the ready screen
# starts the fight, in each of three runs: the key is sampled once at the start of a pass, held
# or pressed since the last sample. In the third, another X window (an xmessage) takes the focus
# in the fight: Wine deactivates the program and takes its surfaces; given the focus back, it
# restores them and draws the whole picture again (the still top of the landscape exactly as the
# headless runner draws it, where the xmessage was too), and the game plays on (Right walks the
# player). Each run ends on Escape with exit status 0 and the desktop's mode back.
# Usage: focus_wine.sh ZIP HEADLESS_RUNNER DATA   (WINE_ROOT: the prefix's folder)
set -euo pipefail
zip=$1 headless=$2 data=$3
source "$(dirname "$0")/wine_session.sh"
cd "$smoke_dir"
unzip -q "$zip"
program=gaiablade/gaiablade.exe

printf '0 N\n3\n5 SPACE\n6\n' >start.keys
"$headless" --data "$data" --keys start.keys --passes 7 --frames expected >/dev/null
title="DirectDraw 8-Bit Page Scrolling Demo"

# landscape_whole NAME WHAT: the top of the screen (above the fighters) is the first landscape's.
landscape_whole() {
  shot "$1"
  local n
  n=$(differing "$1.png" expected/frame-000006.png 640x240+0+0)
  [ "$n" = 0 ] || fail "$2: the top of the screen differs from the first landscape in $n pixels"
}

# quit RUN: Escape ends the program with status 0 and gives the desktop's mode back.
quit() {
  hold Escape 0.3
  wine_wait 15
  [ "$wine_status" = 0 ] || fail "run $1: exit status $wine_status after Escape"
  desktop_mode_back || fail "run $1: after Escape the screen stays in $(screen_mode), not the desktop's $desktop_mode"
}

for run in 1 2 3; do
  wine_start "$program"
  window=$(wine_window "$title")
  shot "title-$run" 2
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  hold n 0.3
  shot "ready-$run"
  n=$(differing "ready-$run.png" "title-$run.png")
  [ "$n" -gt 0 ] || fail "run $run: N on the title screen does not bring the ready screen"
  hold space 0.1
  landscape_whole "fight-$run" "run $run: a 100 ms tap of Space on the ready screen"
  [ "$run" = 3 ] || quit "$run"
done

hold Right 0.5
xmessage -geometry 300x100+10+10 "elsewhere" >xmessage.log 2>&1 &
other_pid=$!
smoke_pids+=($other_pid)
other=$(timeout 10 xdotool search --sync --name "^xmessage$" | head -n 1) ||
  smoke_fail "xmessage does not come up" xmessage.log
sleep 1
xdotool windowfocus --sync "$other"
sleep 2
kill "$other_pid"
xdotool windowfocus --sync "$window"
landscape_whole back "back from another window"
hold Right 1
shot walked 0.5
n=$(differing back.png walked.png 320x200+0+240)
[ "$n" -gt 500 ] || fail "back from another window, holding Right changed only $n pixels where the player is"
quit 3
echo "wine keys and focus: three 100 ms taps of Space counted; away and back, the picture whole and the player walking; the desktop's mode back after each run"
