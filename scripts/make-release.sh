#!/usr/bin/env bash
# Lays out a release in OUT from the finished builds: the Debian package, the Windows zip, the
# web build as a zip of its static folder, the committed source as a tarball (git archive of
# HEAD), and SHA256SUMS of the four.
# Usage: make-release.sh OUT BUILD DEB_BUILD WINDOWS_BUILD WEB_BUILD
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=$1 build=$2 deb_build=$3 windows_build=$4 web_build=$5
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no configured build in $build"; exit 1; }
git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1 ||
  { echo "the source tarball is made from git (git archive): this folder is not a repository"; exit 1; }
mkdir -p "$out"
out=$(realpath "$out")
rm -f "$out"/gaiablade[_-]* "$out/SHA256SUMS"

cp "$deb_build/gaiablade_${version}_amd64.deb" "$windows_build/gaiablade-${version}-windows.zip" "$out/"

# The web build's folder without what CMake keeps there for itself.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
site=$work/gaiablade-$version-web
mkdir "$site"
for entry in "$web_build"/*; do
  case $(basename "$entry") in
    CMakeCache.txt | CMakeFiles | Makefile | cmake_install.cmake | fluid-include | generated | web | *.a) ;;
    *) cp -r "$entry" "$site/" ;;
  esac
done
[ -f "$site/index.html" ] && [ -f "$site/gaiablade.wasm" ] || { echo "no web build in $web_build"; exit 1; }
(cd "$work" && zip -q -r -X "$out/gaiablade-$version-web.zip" "gaiablade-$version-web")

git -C "$source_dir" archive --format=tar.gz --prefix="gaiablade-$version/" \
  -o "$out/gaiablade-$version.tar.gz" HEAD
(cd "$out" && sha256sum gaiablade_"$version"_amd64.deb gaiablade-"$version"-*.zip gaiablade-"$version".tar.gz >SHA256SUMS)
echo "release $version in $out:"
(cd "$out" && ls -l gaiablade[_-]* SHA256SUMS)
