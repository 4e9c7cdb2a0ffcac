#!/usr/bin/env bash
# Cross-compiles the Windows program into WINDOWS_BUILD: gaiablade.exe (checked to import only
# system libraries), the constants printer of the Wine tests, and gaiablade-VERSION-windows.zip with the
# data pack of the Linux build in LINUX_BUILD (which must be built: its gaiablade-datagen made
# the pack).
# Usage: build-windows.sh LINUX_BUILD WINDOWS_BUILD [JOBS]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
linux_build=$(cd "$1" && pwd)
windows_build=$2
jobs=${3:-2}
[ -f "$linux_build/data/Menu1.bmp" ] || { echo "no data pack in $linux_build/data: build the Linux build first"; exit 1; }
command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  { echo "the cross-compiler is not installed (scripts/install-deps.sh installs g++-mingw-w64-x86-64)"; exit 1; }
cmake -S "$source_dir" -B "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DGAIABLADE_DATA_PACK="$linux_build/data" >/dev/null
cmake --build "$windows_build" -j"$jobs"
echo "made $windows_build/gaiablade.exe and $(ls "$windows_build"/gaiablade-*-windows.zip)"
