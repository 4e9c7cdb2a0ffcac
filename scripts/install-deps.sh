#!/usr/bin/env bash
# Installs the Debian packages of the named groups, when any is missing.
# Usage: install-deps.sh [GROUP...]   (default: play)
#   play     building the game and its data pack, and playing it (make play)
#   test     the tests on top of play: GoogleTest, Google Benchmark, the smoke tests' X tools,
#            the memory checker, the formatting check (make test takes web, windows, wine and
#            package too)
#   web      make web and the web tests
#   windows  make windows
#   wine     the Wine tests
#   fuzz     make fuzz
#   package  make deb, make release and their tests
set -euo pipefail

# What each package is for, so that a test never leans on a package installed by hand.
declare -A group
#   build: cmake make g++ pkg-config and the -dev libraries; the game's font and SoundFont;
#     libebur128-dev (the data generator measures each song's loudness to level it)
group[play]="cmake make g++ pkg-config
  libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
  libfluidsynth-dev timgm6mb-soundfont libpng-dev libebur128-dev"
#   the unit tests and benchmarks: libgtest-dev libbenchmark-dev; the formatting check:
#     clang-format
#   smoke tests: xvfb (Xvfb), xauth, evilwm and xfonts-base (its font), x11-utils (xprop),
#     xdotool, imagemagick (import, convert, compare, identify, montage)
#   make valgrind and the memory-checker test: valgrind; listening to mixed audio: sox
group[test]="libgtest-dev libbenchmark-dev clang-format
  xvfb xauth xdotool x11-utils evilwm xfonts-base imagemagick sox valgrind"
#   make web: emscripten (the compiler, with its own clang, lld and binaryen; python3 runs its
#     tools, and serves the released web zip in its test); the web tests and make web-serve:
#     chromium, Node.js (below)
group[web]="emscripten python3 chromium"
#   make windows: the cross-compiler g++-mingw-w64-x86-64 (with the system's own Windows
#     headers and import libraries), zip
group[windows]="g++-mingw-w64-x86-64 zip"
#   the Wine tests: wine64, the X libraries its display driver loads (libxrandr2 for changing
#     the screen mode, libxrender1, libxcursor1, libxi6, libxcomposite1, libxfixes3,
#     libxinerama1, libxxf86vm1), fonts-wine (GDI text), x11-xserver-utils (xrandr), unzip
group[wine]="wine64 libxrandr2 libxrender1 libxcursor1 libxi6 libxcomposite1 libxfixes3
  libxinerama1 libxxf86vm1 fonts-wine x11-xserver-utils unzip"
#   make fuzz: clang with its fuzzer and sanitizer runtimes (libclang-rt-14-dev)
group[fuzz]="clang libclang-rt-14-dev"
#   make deb: dpkg-dev (dpkg-shlibdeps works out the package's dependencies), lintian; its
#     test: debootstrap (a clean Debian 12 to install it in); make release: zip
group[package]="dpkg-dev lintian debootstrap zip"

packages=()
for name in "${@:-play}"; do
  [ -n "${group[$name]+set}" ] || { echo "install-deps.sh: no group named $name" >&2; exit 2; }
  # shellcheck disable=SC2206 # a group is a list of words
  packages+=(${group[$name]})
  # Node.js and npm (the web build's npm packages, the web tests' driver): the machine's own
  # when it has them, else Debian's.
  if [ "$name" = web ] && { ! command -v node >/dev/null || ! command -v npm >/dev/null; }; then
    packages+=(nodejs npm)
  fi
done

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
