#!/usr/bin/env bash
# Processor use of the real game under Xvfb with evilwm: on the first menu screen, then while
# playing in the first landscape, each over 8 s (SECONDS_MEASURED), from the processor time in
# /proc/PID/stat of the game and, beside it, of the X server that receives its pictures.
# Screenshots of the menu, the ready screen and the game go into OUT when it is given.
#   bench/xvfb_cpu.sh build/gaiablade 1920x1080 [OUT]
# SDL_RENDER_DRIVER (and any other SDL variable) is passed on to the game.
set -euo pipefail
game=$(realpath "$1")
smoke_screen=$2
out=${3:-}
seconds=${SECONDS_MEASURED:-8}
source "$(dirname "$0")/../tests/smoke/xvfb_session.sh"

[ -n "$out" ] && mkdir -p "$out"
cd "$(dirname "$game")/data"
"$game" >"$smoke_dir/game.out" 2>"$smoke_dir/game.err" &
game_pid=$!
smoke_pids+=($game_pid)
window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
xdotool windowfocus --sync "$window" || true

# ticks PID: user and system time of the process so far, in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# measure WHAT: the share of one core the game (and the X server) used over the next `seconds`.
measure() {
  local game0 x0 game1 x1
  game0=$(ticks "$game_pid") x0=$(ticks "$xvfb_pid")
  sleep "$seconds"
  game1=$(ticks "$game_pid") x1=$(ticks "$xvfb_pid")
  awk -v w="$1" -v g=$((game1 - game0)) -v x=$((x1 - x0)) -v s="$seconds" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%s: game %d ticks in %d s, %.1f%% of one core (X server %.1f%%)\n",
             w, g, s, 100 * g / (hz * s), 100 * x / (hz * s) }'
}
shot() { [ -z "$out" ] || import -window root "$out/$1.png"; }

# playing: true when the screen shows a landscape (grass below) rather than the red screen
# of a lost fight.
playing() {
  import -window root "$smoke_dir/now.png"
  [ "$(convert "$smoke_dir/now.png" -gravity south -crop 100%x20%+0+0 +repage -format '%[fx:mean.g > mean.r]' info:)" = 1 ]
}

sleep 3
measure "menu ($smoke_screen)"
shot menu

# The enemy comes to meet the player whatever he does; walking both ways keeps both fighters
# moving for 9 to 16 s before the fight is decided. A fight lost within the measurement does
# not count: back to the title screen and again.
for attempt in 1 2 3 4 5; do
  xdotool key n
  sleep 1.5
  [ "$attempt" = 1 ] && shot ready
  xdotool key space
  sleep 0.5
  ( while :; do
      xdotool keydown Right; sleep 0.6; xdotool keyup Right
      xdotool keydown Left; sleep 0.6; xdotool keyup Left
    done ) &
  walker=$!
  result=$(measure "playing ($smoke_screen)")
  still=0
  playing && still=1
  [ "$still" = 1 ] && shot playing
  kill "$walker"
  wait "$walker" 2>/dev/null || true
  xdotool keyup Right keyup Left
  if [ "$still" = 1 ]; then
    echo "$result"
    break
  fi
  echo "(the fight ended within the measurement; again)"
  sleep 1
  xdotool key space
  sleep 1
done
xdotool key Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
