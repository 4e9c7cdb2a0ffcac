#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
set -euo pipefail

# What each is for, so that a test never leans on a package installed by hand:
#   build: cmake make g++ pkg-config and the -dev libraries; the game's font and SoundFont
#   the formatting check: clang-format
#   make fuzz: clang with its fuzzer and sanitizer runtimes (libclang-rt-14-dev)
#   smoke tests: xvfb (Xvfb), evilwm and xfonts-base (its font), x11-utils (xprop),
#     xdotool, imagemagick (import, convert, compare, identify, montage)
#   make valgrind and the memory-checker test: valgrind; listening to mixed audio: sox
#   make web: emscripten (the compiler, with its own clang, lld and binaryen; python3 runs its
#     tools); the web tests and make web-serve: chromium, Node.js (below)
#   make windows: the cross-compiler g++-mingw-w64-x86-64 (with the system's own Windows
#     headers and import libraries), zip
#   the Wine tests: wine64, the X libraries its display driver loads (libxrandr2 for changing
#     the screen mode, libxrender1, libxcursor1, libxi6, libxcomposite1, libxfixes3,
#     libxinerama1, libxxf86vm1), fonts-wine (GDI text), x11-xserver-utils (xrandr), unzip
packages=(
  cmake make g++ pkg-config clang-format
  clang libclang-rt-14-dev
  libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
  libfluidsynth-dev timgm6mb-soundfont libpng-dev libebur128-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils evilwm xfonts-base imagemagick sox valgrind
  emscripten python3 chromium
  g++-mingw-w64-x86-64 zip
  wine64 libxrandr2 libxrender1 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxinerama1 libxxf86vm1
  fonts-wine x11-xserver-utils unzip
)
# Node.js and npm (the web build's npm packages, the web tests' driver): the machine's own when
# it has them, else Debian's.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
