#!/usr/bin/env bash
# The real program held to the headless runner: a game played with real keys under Xvfb leaves a
# demo; the runner replays it, and its frame of the pass where F12 was pressed equals the saved
# screenshot pixel for pixel, and its last pass ends in the real game's state. Then the real
# program plays the demo back in its window, and ends by itself with the demo.
set -euo pipefail
game=$1 headless=$2
source "$(dirname "$0")/xvfb_session.sh"
source "$(dirname "$0")/screen_checks.sh"

cd "$smoke_dir"
mkdir -p home/.config home/Shots state
echo 'XDG_PICTURES_DIR="$HOME/Shots"' >home/.config/user-dirs.dirs
export HOME=$smoke_dir/home XDG_CONFIG_HOME= XDG_PICTURES_DIR=
SDL_AUDIODRIVER=dummy "$game" >game.out 2>game.err &
game_pid=$!
smoke_pids+=($game_pid)
fail() { echo "$1"; sed 's/^/  | /' game.out game.err; exit 1; }

window=$(timeout 30 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1) || true
[ -n "$window" ] || fail "no game window"
xdotool windowfocus --sync "$window" || true
sleep 1
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
# Title, ready, then the first fight: walk up, strike, parry, step back, strike again.
xdotool key n; sleep 0.6
xdotool key space; sleep 1
hold Right 2
xdotool key space; sleep 1
hold ctrl 0.4
# Mid-fight, with both fighters moving: the saved picture must be the runner's to the pixel.
xdotool keydown Left; sleep 0.3
xdotool key F12
sleep 0.3; xdotool keyup Left
xdotool key space; sleep 0.5
for _ in $(seq 50); do grep -q "screenshot" game.out && break; sleep 0.1; done
shot=$(sed -n 's/^gaiablade: screenshot //p' game.out)
[ -n "$shot" ] && [ -f "$shot" ] || fail "no screenshot saved"
sleep 0.3
xdotool key Escape
wait_exit "$game_pid" || fail "the game did not end cleanly"

demo=$(sed -n 's/^gaiablade: demo //p' game.out)
[ -n "$demo" ] && [ -f "$demo" ] || fail "no demo named on standard output"
case "$demo" in
  "$smoke_dir/state/gaiablade/demos/gaiablade-"*.demo) ;;
  *) fail "the demo $demo is not in the state folder" ;;
esac
pass=$(sed -n 's/^# screenshot after pass \([0-9]*\):.*/\1/p' "$demo")
end=$(sed -n 's/^# end: passes [0-9]*, mode \([0-9]*\), level \([0-9]*\), landscape \([0-9]*\)$/\1 \2 \3/p' "$demo")
[ -n "$pass" ] && [ -n "$end" ] || { cat "$demo"; fail "the demo has no screenshot or end line"; }

"$headless" --demo "$demo" --frames frames --trace trace.jsonl 2>runner.err ||
  { cat "$demo" runner.err; fail "the runner refused the demo"; }
frame=frames/frame-$(printf %06d "$pass").png
[ -f "$frame" ] || fail "the runner presented no frame at pass $pass"
differing=$(compare -metric AE "$shot" "$frame" null: 2>&1) || true
[ "$differing" = "0" ] || { cp "$shot" "$frame" /tmp/ 2>/dev/null || true; cat "$demo"; fail "the screenshot differs from the runner's frame of pass $pass in $differing pixels"; }
last=$(tail -n 1 trace.jsonl | sed -n 's/.*"mode":\([0-9]*\),"level":\([0-9]*\),"landscape":\([0-9]*\),.*/\1 \2 \3/p')
[ "$last" = "$end" ] || { cat "$demo"; fail "the runner ends in mode/level/landscape $last, the real game in $end"; }
passes=$(wc -l <trace.jsonl)
[ -n "${SMOKE_KEEP:-}" ] && mkdir -p "$SMOKE_KEEP" && cp "$demo" "$shot" "$SMOKE_KEEP/"

# Played back in the window, the demo ends the program by itself, and leaves no demo of its own.
SDL_AUDIODRIVER=dummy timeout 120 "$game" --demo "$demo" >replay.out 2>replay.err ||
  { sed 's/^/  | /' replay.out replay.err; fail "playing the demo back failed"; }
[ "$(find state -name '*.demo' | wc -l)" -eq 1 ] || fail "the playback recorded a demo of its own"
"$game" --demo /no/such.demo 2>refused.err && fail "a missing demo was played"
[ "$(wc -l <refused.err)" -eq 1 ] || fail "a missing demo gave more than one line"
echo "demo smoke: $passes passes replayed, screenshot at pass $pass equals the runner's frame, end state $end"
