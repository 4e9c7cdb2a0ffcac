#!/usr/bin/env bash
# Builds the game for /usr in DEB_BUILD with Debian's hardening flags and packs
# DEB_BUILD/gaiablade_VERSION_amd64.deb: the program in /usr/games, the data pack in
# /usr/share/gaiablade, the desktop entry, the icon, the manual page, the copyright file and a
# changelog made from CHANGELOG.md. Its dependencies are worked out from the program by
# dpkg-shlibdeps, with a General MIDI SoundFont beside them. lintian then checks it.
# Usage: make-deb.sh DEB_BUILD [JOBS]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$1
jobs=${2:-2}
for tool in dpkg-shlibdeps dpkg-deb lintian; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is not installed (scripts/install-deps.sh package installs it)"; exit 1; }
done

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=None -DGAIABLADE_TESTS=OFF -DGAIABLADE_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$jobs" --target gaiablade
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/gaiablade_${version}_amd64.deb

stage=$build/deb-root
rm -rf "$stage" "$deb"
umask 022
DESTDIR=$stage cmake --install "$build" --component Unspecified >/dev/null
# As Debian's own packages are stripped: no symbols, no compiler's comment.
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$stage/usr/games/gaiablade"
doc=$stage/usr/share/doc/gaiablade
mkdir -p "$doc" "$stage/DEBIAN"
cp "$source_dir/dist/debian/copyright" "$doc/copyright"
gzip -9n "$stage/usr/share/man/man6/gaiablade.6"

# The Debian changelog: this version's section of CHANGELOG.md, dated by the file itself (a
# source release has no git to ask).
date=$(date -u -R -d "@${SOURCE_DATE_EPOCH:-$(stat -c %Y "$source_dir/CHANGELOG.md")}")
maintainer="Gaia's Blade developers <gaiablade@example.org>"
{
  echo "gaiablade ($version) stable; urgency=medium"
  echo
  # Each item on one line, then folded to Debian's 80 columns.
  awk -v v="$version" '/^## / { on = ($2 == v); next }
                       on && /^- / { if (item) print item; item = substr($0, 3); next }
                       on && /^  / { sub(/^ +/, " "); item = item $0 }
                       END { if (item) print item }' "$source_dir/CHANGELOG.md" |
    while IFS= read -r item; do
      echo "$item" | fold -s -w 74 | sed 's/ *$//; 1s/^/  * /; 2,$s/^/    /'
    done
  echo
  echo " -- $maintainer  $date"
} | gzip -9n >"$doc/changelog.gz"

# Dependencies from the program's own libraries; dpkg-shlibdeps wants a debian/control to stand in.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/debian"
printf 'Source: gaiablade\n\nPackage: gaiablade\nArchitecture: any\n' >"$work/debian/control"
program=$(cd "$stage" && pwd)/usr/games/gaiablade
shlibs=$(cd "$work" && dpkg-shlibdeps -O "$program" 2>"$work/shlibdeps.log") ||
  { cat "$work/shlibdeps.log"; exit 1; }
depends="${shlibs#shlibs:Depends=}, timgm6mb-soundfont | fluid-soundfont-gm"

(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
cat >"$stage/DEBIAN/control" <<CONTROL
Package: gaiablade
Version: $version
Architecture: amd64
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: games
Priority: optional
Description: side-scrolling sword-fighting game
 One warrior crosses five landscapes and meets five enemy champions; one
 stroke that lands decides a fight. Walk, strike and parry with the keyboard
 or a game controller, full screen or in a window, with sound effects and
 General MIDI music.
CONTROL
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "made $deb"
echo "Depends: $depends"
lintian --fail-on error --info "$deb"
