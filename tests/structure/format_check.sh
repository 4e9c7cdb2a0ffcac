#!/usr/bin/env bash
# Checks that every *.h and *.cpp under src/, tools/, tests/, bench/ and fuzz/ is laid out as
# the repository's .clang-format says (clang-format 14 or later). Each file that is not gets
# its name and the first lines that differ. Usage: format_check.sh SOURCE_DIR
set -uo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root" || exit 2

if ! command -v clang-format >/dev/null; then
  echo "format check: clang-format not found (install the Debian package clang-format)"
  exit 1
fi
if [ ! -f .clang-format ]; then
  echo "format check: no .clang-format in $PWD"
  exit 2
fi

mapfile -t files < <(find src tools tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -type f | sort)
# One clang-format for the whole tree; it names every file that differs.
mapfile -t unformatted < <(clang-format --style=file --dry-run "${files[@]}" 2>&1 |
                           sed -n -E 's/^([^:]+):[0-9]+:[0-9]+: (warning|error):.*/\1/p' | sort -u)

for file in "${unformatted[@]}"; do
  echo "not formatted: $file"
  clang-format --style=file "$file" | diff -u "$file" - | sed -n '3,14p'
  echo
done
if [ "${#unformatted[@]}" -ne 0 ]; then
  echo "${#unformatted[@]} of ${#files[@]} files not formatted: fix each with \`clang-format -i FILE\`"
  exit 1
fi
echo "all ${#files[@]} files formatted as .clang-format says"
