#!/usr/bin/env bash
# The layers point one way: platform <- engine (src/engine) <- game <- app <- tools, and inside
# the platform (HACKING.md has the map):
#   report <- the host interface (host/host.h) <- sound, screen, font <- standins <- input
#   <- the hosts (host/ but host.h)
# The Windows build's system_headers/ stand for the stand-ins. Every #include "..." in src/ and
# tools/ is checked:
#   - no file includes a header of a layer above its own, nor, inside the platform, of a rung
#     above its own; sound, screen and font sit side by side and include none of each other;
#   - above the platform, only the stand-ins (platform/standins/), the reporting path
#     (platform/report/report.h) and the song reader (platform/sound/midi_file.h) are included,
#     so the engine, the game and the app build against the real system headers as well (the
#     two services are plain standard C++ and are built into the Windows program); the hosts
#     only from the Linux entry point (src/app/main.cpp) and the tools.
# Usage: include_rules.sh SOURCE_DIR
set -uo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root" || exit 2

layer_of_path() {
  case $1 in
    src/platform/*) echo 0 ;;
    src/engine/*) echo 1 ;;
    src/game/*) echo 2 ;;
    src/app/*) echo 3 ;;
    tools/*) echo 4 ;;
    *) echo -1 ;;
  esac
}

layer_of_include() {
  case $1 in
    platform/*) echo 0 ;;
    engine/*) echo 1 ;;
    game/*) echo 2 ;;
    app/*) echo 3 ;;
    *) echo -1 ;;  # a header beside the file, or a generated one
  esac
}

# The rung inside the platform of a path below src/platform/ (a file) or of an include name
# below platform/ (a header), and the folder it belongs to; -1 for a folder the map lacks.
rung_of() {
  local path=${1#src/}
  path=${path#platform/system_headers/}
  case $path in
    platform/report/*) echo "0 report" ;;
    platform/host/host.h) echo "1 host-interface" ;;
    platform/sound/*) echo "2 sound" ;;
    platform/screen/*) echo "2 screen" ;;
    platform/font/*) echo "2 font" ;;
    platform/standins/*) echo "3 standins" ;;
    platform/input/*) echo "4 input" ;;
    platform/host/*) echo "5 hosts" ;;
    *) echo "-1 unknown" ;;
  esac
}

names=(platform engine game app tools)
broken=0
check_platform_include() {
  local file=$1 line=$2 header=$3 own ownFolder theirs theirFolder
  read -r own ownFolder < <(rung_of "$file")
  read -r theirs theirFolder < <(rung_of "$header")
  if [ "$own" -lt 0 ]; then
    echo "$file:$line: a platform folder that the include rules do not know (add it to their map)"
    broken=1
  elif [ "$theirs" -lt 0 ]; then
    echo "$file:$line: \"$header\": a platform folder that the include rules do not know"
    broken=1
  elif [ "$theirs" -gt "$own" ]; then
    echo "$file:$line: $ownFolder includes \"$header\" of $theirFolder, above it in the platform"
    broken=1
  elif [ "$theirs" -eq "$own" ] && [ "$theirFolder" != "$ownFolder" ]; then
    echo "$file:$line: $ownFolder includes \"$header\" of $theirFolder, which stands beside it"
    broken=1
  fi
}

while IFS= read -r file; do
  own=$(layer_of_path "$file")
  while IFS=: read -r line header; do
    [ -n "$header" ] || continue
    theirs=$(layer_of_include "$header")
    [ "$theirs" -ge 0 ] || continue
    if [ "$theirs" -gt "$own" ]; then
      echo "$file:$line: the ${names[$own]} layer includes \"$header\" of the ${names[$theirs]} layer above it"
      broken=1
    elif [ "$own" -eq 0 ]; then
      check_platform_include "$file" "$line" "$header"
    elif [ "$own" -ge 1 ] && [ "$own" -le 3 ] && [ "$theirs" -eq 0 ]; then
      case $header in
        platform/standins/* | platform/report/report.h | platform/sound/midi_file.h) ;;
        platform/host/*)
          if [ "$file" != src/app/main.cpp ]; then
            echo "$file:$line: \"$header\": only the entry point and the tools choose a host"
            broken=1
          fi ;;
        *)
          echo "$file:$line: \"$header\": above the platform only the stand-ins, the reporting path and the song reader are included"
          broken=1 ;;
      esac
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1:\2/')
done < <(find src tools -name '*.h' -o -name '*.cpp' | sort)

if [ "$broken" -ne 0 ]; then
  echo "include rules broken (HACKING.md: what may include what)"
  exit 1
fi
echo "include rules hold in $(find src tools -name '*.h' -o -name '*.cpp' | wc -l) files"
