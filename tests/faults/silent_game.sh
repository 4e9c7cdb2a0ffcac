#!/usr/bin/env bash
# The real game on a (virtual) desktop without sound: a machine without a sound card, as a user
# meets it with no audio variables set ("no-audio-device"), or no SoundFont ("no-soundfont").
# A short game is played with the keyboard and ended with Escape: the game must exit 0, and its
# standard error must be the one line that says why it is silent, however many sounds and songs
# it starts, with nothing from the libraries beneath it.
set -euo pipefail
game=$(realpath "$1") mode=$2
source "$(dirname "$0")/../smoke/xvfb_session.sh"

settings=(-u SDL_AUDIODRIVER -u AUDIODEV -u PULSE_SERVER "XDG_RUNTIME_DIR=$smoke_dir/run")
mkdir -m 700 "$smoke_dir/run"  # no sound server to be found
case $mode in
  no-audio-device)
    said="gaiablade: no sound"
    # On a machine that has a card, the sound library is pointed at one that does not exist.
    if grep -qs '^ *[0-9]' /proc/asound/cards; then
      printf 'pcm.!default { type hw card 31 }\nctl.!default { type hw card 31 }\n' >"$smoke_dir/alsa.conf"
      settings+=("ALSA_CONFIG_PATH=$smoke_dir/alsa.conf")
    fi ;;
  no-soundfont) settings+=(SDL_AUDIODRIVER=dummy GAIABLADE_SOUNDFONT=/nonexistent); said="gaiablade: music is silent" ;;
  *) echo "unknown mode $mode"; exit 2 ;;
esac

cd "$smoke_dir"  # no data here: the game finds the build's data folder itself
env "${settings[@]}" "$game" >game.out 2>game.err &
game_pid=$!
smoke_pids+=($game_pid)
window=$(timeout 10 xdotool search --sync --name "DirectDraw 8-Bit Page Scrolling Demo" | head -n 1)
xdotool windowfocus --sync "$window" || true
press() { xdotool key --window "$window" "$1" || xdotool key "$1"; sleep "$2"; }
sleep 1
import -window root title.png
# New game, fight, walk towards the enemy and strike twice (each stroke starts a sound), quit.
press n 0.5
press space 0.5
xdotool keydown Right; sleep 1.5; xdotool keyup Right
import -window root playing.png
press space 1.2
press space 1.2
press Escape 0

for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then
  echo "the game did not exit within 5 s of Escape"; cat game.err; exit 1
fi
status=0
wait "$game_pid" || status=$?
cat game.err
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
# The keys reached the game: it left the title screen for a landscape.
changed=$(compare -metric AE title.png playing.png null: 2>&1 || true)
echo "pixels changed: $changed"; [ "${changed%% *}" != 0 ] || { echo "the screen never changed: the game did not play"; exit 1; }
lines=$(wc -l <game.err)
grep -q "^$said" game.err && [ "$lines" -eq 1 ] ||
  { echo "standard error holds $lines lines, not the one \"$said\" line"; exit 1; }
echo "$mode: the game ran silent, exit status 0, said so once"
