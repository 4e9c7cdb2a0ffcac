#!/usr/bin/env bash
# The Windows program from gaiablade-VERSION-windows.zip under Wine, full screen at 640x480: the
# first menu is on the screen pixel for pixel as the headless runner draws it; N then Space reach
# the first landscape; Right walks the player; Space strikes, and the stroke's sound reaches the
# sound device; Escape ("escape") or closing the window ("close") ends it with exit status 0,
# leaving a demo of the run. The zip is unpacked into FOLDER, whose name may hold characters
# outside ASCII (the ANSI code page's, or others it cannot hold), and the program is started from outside it: it must find
# its data beside itself and load every file, songs included, naming none on standard error.
# The desktop's mode comes back when the program ends.
# Usage: game_wine.sh ZIP HEADLESS_RUNNER DATA escape|close FOLDER   (WINE_ROOT: the prefix's folder)
set -euo pipefail
zip=$1 headless=$2 data=$3 mode=$4 folder=$5
source "$(dirname "$0")/wine_session.sh"
cd "$smoke_dir"
mkdir "$folder"
(cd "$folder" && unzip -q "$zip")

# The headless runner's frames: the first menu (pass 0) and the first pass in the landscape.
printf '0 N\n3\n5 SPACE\n6\n' >start.keys
"$headless" --data "$data" --keys start.keys --passes 7 --frames expected >/dev/null

export WINE_CAPTURE=$smoke_dir/capture.wav
wine_start "$folder/gaiablade/gaiablade.exe"
window=$(wine_window "DirectDraw 8-Bit Page Scrolling Demo")
shot title 2
n=$(differing title.png expected/frame-000000.png)
[ "$n" = 0 ] || fail "the first menu differs from the headless runner's first frame in $n pixels"
xdotool windowfocus --sync "$window" 2>/dev/null || true

hold n 0.5
sleep 0.5
hold space 0.3
shot landscape
# Above the fighters the landscape is still: it must be the headless runner's, exactly.
n=$(differing landscape.png expected/frame-000006.png 640x240+0+0)
[ "$n" = 0 ] || fail "N then Space: the top of the screen differs from the first landscape in $n pixels"

hold Right 1.2
shot walked 0.5
# The player starts at the left edge, on the path: the walk changes the screen there.
n=$(differing landscape.png walked.png 320x200+0+240)
[ "$n" -gt 500 ] || fail "holding Right changed only $n pixels where the player is"

# Wine mixes ahead of time: what it has written so far is before the stroke.
mark=$(stat -c %s capture.wav)
hold space 0.3
sleep 1.5
after=$(stat -c %s capture.wav)
[ "$after" -gt "$mark" ] || fail "nothing reached the sound device after the stroke"
if [ "$mode" = escape ]; then
  hold Escape 0.5
else
  xdotool key ctrl+alt+Escape  # the window manager's close, which asks the window to close
fi
wine_wait 15
[ "$wine_status" != running ] || fail "the program did not end within 15 s of the $mode request"
[ "$wine_status" = 0 ] || fail "exit status $wine_status after the $mode request"
desktop_mode_back || fail "after the $mode request the screen stays in $(screen_mode), not the desktop's $desktop_mode"

# Every data file loaded: nothing named on standard error (a song the music loader cannot find
# is named as damaged).
if grep -q "gaiablade:" "$smoke_dir/wine.err"; then
  fail "from \"$folder\", the program named data files it could not load:"
fi

# The recording after the mark (after a 44-byte header, frames of `channels` samples) must
# carry the stroke's sound.
channels=$(soxi -c capture.wav) bits=$(soxi -b capture.wav)
start=$(((mark - 44) / (bits / 8 * channels)))
peak=$(sox --ignore-length capture.wav -n trim "${start}s" stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
awk -v p="$peak" 'BEGIN { exit !(p > 0.05) }' || fail "the sound device got silence after the stroke (peak $peak)"
# The run left its demo in the local application data, named for its own random generator,
# which the Linux runner refuses to replay (the same seed is another game there).
demo=$(ls -t "$WINEPREFIX"/drive_c/users/*/AppData/Local/gaiablade/demos/gaiablade-*.demo 2>/dev/null | head -n 1)
[ -n "$demo" ] || fail "the run left no demo in %LOCALAPPDATA%\\gaiablade\\demos"
head -n 1 "$demo" | grep -q "system windows, generator msvcrt, seed " || fail "the demo's header: $(head -n 1 "$demo")"
grep -q "^# end: passes " "$demo" || fail "the demo has no end line"
status=0
"$headless" --data "$data" --demo "$demo" 2>refused.err >/dev/null || status=$?
[ "$status" = 2 ] || fail "the Linux runner took a demo of the Windows generator (status $status)"
# Played back by the Windows program itself, the demo ends the program on its own, recording none.
if [ "$mode" = escape ]; then
  cp "$demo" played.demo
  demos=$(ls "$(dirname "$demo")" | wc -l)
  wine_start "$folder/gaiablade/gaiablade.exe" --demo played.demo
  wine_window "DirectDraw 8-Bit Page Scrolling Demo" >/dev/null
  wine_wait 90
  [ "$wine_status" = 0 ] || fail "playing the demo back under Wine ended with $wine_status"
  [ "$(ls "$(dirname "$demo")" | wc -l)" = "$demos" ] || fail "the playback recorded a demo of its own"
fi
echo "wine $mode from \"$folder\": every file loaded, first menu exact, landscape reached, player walked, stroke heard (peak $peak), exit status 0, desktop mode back, demo left"
