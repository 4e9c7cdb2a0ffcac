#!/usr/bin/env bash
# Every file of a release carries the licences of what it holds: the package its copyright
# file, the Windows zip the game's licence and the runtime's copyright, the web zip LICENSES.txt
# with every licence text it names, the source tarball LICENSE.
# Usage: licences.sh RELEASE_PREFIX   (dist/gaiablade-VERSION; the package is found beside it)
set -euo pipefail
prefix=$1
dir=$(dirname "$prefix") version=${prefix##*gaiablade-}
missing=0
need() {  # need LISTING NAME...
  local listing=$1; shift
  for name in "$@"; do
    grep -qxF "$name" <<<"$listing" || { echo "$(basename "$archive"): no $name"; missing=1; }
  done
}
archive=$dir/gaiablade_${version}_amd64.deb
need "$(dpkg-deb -c "$archive" | awk '{print $6}')" ./usr/share/doc/gaiablade/copyright
archive=$prefix-windows.zip
need "$(unzip -Z1 "$archive")" gaiablade/LICENSE.txt gaiablade/mingw-w64-runtime.copyright.txt
archive=$prefix-web.zip
web=$(unzip -Z1 "$archive" | sed "s|^gaiablade-$version-web/||")
named=$(unzip -p "$archive" "gaiablade-$version-web/LICENSES.txt" | grep -o '[A-Za-z0-9.-]*\.txt' | sort -u)
need "$web" LICENSES.txt $named
archive=$prefix.tar.gz
need "$(tar -tzf "$archive")" "gaiablade-$version/LICENSE"
[ "$missing" -eq 0 ] && echo "every file of the release carries its licences"
exit "$missing"
