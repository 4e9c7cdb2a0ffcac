#!/usr/bin/env bash
# The layers point one way: platform <- engine (src/engine, src/gfx, src/audio) <- game <- app
# <- tools. Every #include "..." in src/ and tools/ is checked:
#   - no file includes a header of a layer above its own;
#   - above the platform, only the stand-ins (platform/standins/), the reporting path
#     (platform/report/report.h) and the song reader (platform/sound/midi_file.h) are
#     included, so the engine, the game and the app build against the real system headers as
#     well (the two services are plain standard C++ and are built into the Windows program);
#     the hosts only from the Linux entry point (src/app/main.cpp) and the tools.
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

names=(platform engine game app tools)
broken=0
while IFS= read -r file; do
  own=$(layer_of_path "$file")
  while IFS=: read -r line header; do
    [ -n "$header" ] || continue
    theirs=$(layer_of_include "$header")
    [ "$theirs" -ge 0 ] || continue
    if [ "$theirs" -gt "$own" ]; then
      echo "$file:$line: the ${names[$own]} layer includes \"$header\" of the ${names[$theirs]} layer above it"
      broken=1
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
