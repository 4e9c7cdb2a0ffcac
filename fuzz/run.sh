#!/usr/bin/env bash
# Runs one fuzzing harness for a while:  fuzz/run.sh BUILD TARGET SECONDS [DATA]
#   BUILD   a build folder configured with -DGAIABLADE_FUZZ=ON (clang), harnesses built
#   TARGET  bitmap_file, palette, sound, music, key_script, demo or draw
#   DATA    a generated data pack to take seeds from (default: BUILD/data, else build/data)
# The working corpus and any findings stay in BUILD/fuzz-work/TARGET/ (findings/crash-..., and
# the run's log with its final statistics). Runs at the lowest priority.
set -euo pipefail
build=$(cd "$1" && pwd) target=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
data=${4:-}
if [ -z "$data" ]; then
  data="$build/data"
  [ -d "$data" ] || data="$here/../build/data"
fi
# Absolute paths: the music harness works in its own folder, where songs are looked up.
data=$(cd "$data" 2>/dev/null && pwd || echo "$data")
harness="$build/${target}_fuzz"
[ -x "$harness" ] || { echo "no harness $harness (configure with -DGAIABLADE_FUZZ=ON and build)"; exit 2; }

work="$build/fuzz-work/$target"
mkdir -p "$work/corpus" "$work/findings"
cp "$here/corpus/$target/"* "$work/corpus/"
# Seeds from the data pack: the files this reader meets in the game. The pictures are the small
# fighter sheets only; a full-screen picture adds size, not new paths.
seeds=()
case $target in
  bitmap_file) seeds=("Gaia0.BMP" "Aries3.BMP"); max_len=65536 ;;
  palette) seeds=("PALDATA2.PAL"); max_len=8192 ;;
  sound) seeds=("Sword Strike.WAV" "Sword Clash.WAV" "Enemy Taunt.WAV" "Enemy Death.WAV"
                "Game Over.WAV" "Aries Greeting.WAV" "Aries Death.WAV"); max_len=32768 ;;
  music) seeds=("MIDIFILE0.MID" "MIDIFILE1.MID" "MIDIFILE2.MID" "MIDIFILE3.MID" "MIDIFILE4.MID"
                "Intro.mid" "Ending.mid"); max_len=32768 ;;
  key_script) max_len=4096 ;;
  demo) max_len=4096 ;;
  draw) max_len=4096 ;;
  *) echo "unknown target $target"; exit 2 ;;
esac
for seed in "${seeds[@]}"; do
  if [ -f "$data/$seed" ]; then
    cp "$data/$seed" "$work/corpus/pack-${seed// /_}"
  else
    echo "note: no $data/$seed; fuzzing from the hand-made seeds"
  fi
done

nice -n 19 "$harness" "$work/corpus" \
  -dict="$here/dict/$target.dict" -max_len="$max_len" -max_total_time="$seconds" -timeout=10 \
  -artifact_prefix="$work/findings/" -print_final_stats=1 >"$work/log" 2>&1 || true
grep -E "^(stat::|SUMMARY|==[0-9]+==ERROR|Done)" "$work/log" || true
found=$(find "$work/findings" -type f | wc -l)
echo "$target: $found finding(s) in $work/findings"
[ "$found" -eq 0 ]
