#!/usr/bin/env bash
# Every path that HACKING.md names, and every path in README.md's layout table, exists in the
# tree. A path is a `quoted` word, or a word of a fenced block (the map of the layers), that
# starts with a folder of the repository (src/, tests/, tools/ ...) or, as an include name does,
# with a folder of src/ (platform/, engine/, game/, app/); a * in it must match at least one
# file. Other quoted words (commands, build folders, the player's folders) are passed over.
# Usage: doc_paths.sh SOURCE_DIR
set -uo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root" || exit 2

# The quoted words of standard input, and the words of its fenced blocks (the map of the
# layers), one a line, with the line they are on.
quoted_words() {
  awk '/^```/ { fenced = !fenced; next }
       fenced { for (i = 1; i <= NF; ++i) print NR ":" $i; next }
       { n = split($0, parts, "`"); for (i = 2; i <= n; i += 2) print NR ":" parts[i] }'
}

# README.md with every line blanked but those of its layout table (the table after "## Layout"),
# so that line numbers stay the file's.
layout_table() {
  awk '{ if (inside && /^\|/) { print; seen = 1 } else { print ""; if (seen) inside = 0 } }
       /^## Layout/ { inside = 1 }' README.md
}

checked=0
missing=0
check() {
  local document=$1 line word
  while IFS=: read -r line word; do
    [[ $word =~ ^[A-Za-z0-9_./*-]+$ ]] || continue
    case $word in
      src/* | tests/* | tools/* | web/* | bench/* | fuzz/* | docs/* | cmake/* | dist/* | scripts/*) path=$word ;;
      platform/* | engine/* | game/* | app/*) path=src/$word ;;
      *) continue ;;
    esac
    checked=$((checked + 1))
    # shellcheck disable=SC2086  # a * in the path is meant to match
    if ! compgen -G "${path%/}" >/dev/null; then
      echo "$document:$line: \`$word\` names no file or folder of the tree"
      missing=1
    fi
  done
}

check HACKING.md < <(quoted_words < HACKING.md)
check README.md < <(layout_table | quoted_words)

if [ "$missing" -ne 0 ]; then
  echo "documents name paths that do not exist: mend the document or the tree"
  exit 1
fi
echo "$checked paths of HACKING.md and README.md's layout table exist"
