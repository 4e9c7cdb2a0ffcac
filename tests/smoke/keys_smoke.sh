#!/usr/bin/env bash
# Keys and focus as a player meets them, in the real game on its own data: a tap that means
# nothing on one screen is not kept for the next (Space on the title screen does not skip the
# ready screen; Q while playing does not quit from the next title screen); a held key's
# auto-repeat is no new press (Space held through the game-over screen does not skip the next
# ready screen); and switching to another window while the enemy walks holds the game (two
# screenshots seconds apart are the same), which goes on when the player comes back.
set -euo pipefail
game=$1 data=$2
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screen_checks.sh"

cd "$smoke_dir"
SDL_AUDIODRIVER=dummy "$game" >game.out 2>game.err &
game_pid=$!
smoke_pids+=($game_pid)
fail() {
  echo "$1"
  kill -0 "$game_pid" 2>/dev/null || echo "(the game is no longer running)"
  cat game.err
  exit 1
}
window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
xdotool windowfocus --sync "$window" || true
screen() { expect_full_screen "$1" "$data/$2" || fail "$3"; }
# stays SECONDS PICTURE WHAT: the screen still shows PICTURE after SECONDS.
stays() { sleep "$1"; screen 0 "$2" "$3"; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

screen 10 Menu1.bmp "the title screen does not show"
xdotool key space
sleep 0.5
xdotool key n
screen 5 Menu2.bmp "N on the title screen does not bring the ready screen"
stays 1.5 Menu2.bmp "a Space tapped on the title screen skipped the ready screen"

hold space 0.6
screen 5 LANDSCAPE1.BMP "Space on the ready screen does not start the fight"
xdotool key q

# Walk towards the enemy with Right held, and switch to another window on the way.
xdotool keydown Right
sleep 2
xmessage -geometry 300x100+10+10 "elsewhere" >xmessage.log 2>&1 &
other_pid=$!
smoke_pids+=($other_pid)
other=$(timeout 10 xdotool search --sync --name "^xmessage$" | head -n 1) ||
  smoke_fail "xmessage does not come up" xmessage.log
xdotool windowfocus --sync "$other"
sleep 0.5
import -window root held-1.png
sleep 2
import -window root held-2.png
xdotool keyup Right
[ "$(compare -metric AE held-1.png held-2.png null: 2>&1)" = 0 ] ||
  fail "the game went on while another window had the keyboard"
cp held-2.png screen.png && keep_screen held
kill "$other_pid"
xdotool windowfocus --sync "$window"
# Back again: the fight goes on, up to the enemy and the game-over screen.
for _ in $(seq 10); do
  hold Right 1
  expect_full_screen 0 "$data/Menu3.bmp" >/dev/null && break
done
screen 5 Menu3.bmp "the fight did not go on after the switch back"

# Space held through the game-over screen (auto-repeat and all) leads to the title screen, which
# a Q tapped while playing must not quit, and its repeats must not skip the next ready screen.
hold space 1.2
screen 5 Menu1.bmp "Space on the game-over screen does not lead to the title screen"
stays 1 Menu1.bmp "the title screen does not stay"
xdotool key n
screen 5 Menu2.bmp "N on the title screen does not bring the ready screen"
stays 1.5 Menu2.bmp "Space held on the game-over screen skipped the next ready screen"

xdotool key Escape
wait_exit "$game_pid" || fail "the game did not end with Escape"
echo "keys smoke: taps count for one pass, repeats are no presses, the game holds while away"
