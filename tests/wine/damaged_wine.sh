#!/usr/bin/env bash
# The Windows program under Wine with damaged data: for each kind of file (effects, songs,
# pictures) and each damage (cut to half its size, or random bytes of the same size), every file
# of that kind is damaged at once. Each run gets through start-up and a short game (new game,
# fight, walk, strike, Escape) with exit status 0, and names on standard error the same damaged
# files as the headless runner on Linux does in a game as far: where the system's services take
# a file on trust, the engine checks it itself. (The fighters' pictures are read as their
# enemies come, so a short game names those of the first enemy only.)
# Usage: damaged_wine.sh PROGRAM.exe FAULT_PACK HEADLESS_RUNNER   (WINE_ROOT: the prefix's folder)
set -euo pipefail
program=$1 fault_pack=$2 headless=$3
source "$(dirname "$0")/wine_session.sh"
# One wine server for all the runs, so Wine's own services start once.
"$wineserver" -p

printf '0 N\n3\n5 SPACE\n6\n8 RIGHT\n40 SPACE\n41\n50 ESCAPE\n51\n' >"$smoke_dir/short.keys"
# named FILE: the data files named in a program's standard error, one a line, sorted.
named() { grep -o '"[^"]*"' "$1" | tr -d '"' | LC_ALL=C sort -u; }

failed=0
for kind in effects songs pictures; do
  for fault in Truncated RandomBytes; do
    run=$smoke_dir/$kind-$fault
    mkdir -p "$run"
    "$fault_pack" "$run" "$fault" "$kind" >"$run.files"
    "$headless" --data "$run" --keys "$smoke_dir/short.keys" 2>"$run.linux.err" >/dev/null
    named "$run.linux.err" >"$run.linux.named"
    cd "$run"
    wine_start "$program"
    wine_window "DirectDraw 8-Bit Page Scrolling Demo" >/dev/null
    sleep 1
    hold n 0.5
    sleep 0.3
    hold space 0.3
    sleep 0.3
    hold Right 1
    hold space 0.3
    sleep 0.5
    hold Escape 0.5
    wine_wait 15
    cd "$smoke_dir"
    named wine.err >"$run.wine.named"
    if [ "$wine_status" != 0 ] || ! cmp -s "$run.linux.named" "$run.wine.named" || ! [ -s "$run.wine.named" ]; then
      echo "$kind $fault: exit status $wine_status; named on Linux | under Wine:"
      diff -y "$run.linux.named" "$run.wine.named" | sed 's/^/  /' || true
      sed 's/^/  | /' wine.err
      failed=1
    else
      echo "$kind $fault: $(wc -l <"$run.files") files damaged, the same $(wc -l <"$run.wine.named") named as on Linux, exit status 0"
    fi
  done
done
exit "$failed"
