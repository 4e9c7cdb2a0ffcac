#!/usr/bin/env bash
# Every constant and id that our stand-in headers define, as our stand-ins have it (printed by
# a Linux build) and as the system's headers publish it (printed by the Windows build of the
# same generated program, under Wine): any difference fails.
# Usage: constants_wine.sh LINUX_PRINTER WINDOWS_PRINTER.exe   (WINE_ROOT: the prefix's folder)
set -euo pipefail
linux=$1 windows=$2
WINE_ROOT=${WINE_ROOT:?}
export HOME=$WINE_ROOT/home WINEPREFIX=$WINE_ROOT/prefix WINEDEBUG=-all DISPLAY=
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winebus.sys,wineusb.sys="
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

"$linux" >"$work/ours.txt"
if ! /usr/lib/wine/wine64 "$windows" >"$work/published.raw" 2>"$work/wine.err"; then
  echo "the Windows printer did not run under Wine:"; sed 's/^/  | /' "$work/wine.err"; exit 1
fi
tr -d '\r' <"$work/published.raw" >"$work/published.txt"
count=$(wc -l <"$work/ours.txt")
[ "$count" -gt 0 ] && [ "$(wc -l <"$work/published.txt")" -eq "$count" ] ||
  { echo "the printers disagree on the list: $count lines against $(wc -l <"$work/published.txt")"; exit 1; }
LC_ALL=C sort "$work/ours.txt" >"$work/ours.sorted"
LC_ALL=C sort "$work/published.txt" >"$work/published.sorted"
LC_ALL=C join -a 1 -a 2 -e missing -o 0,1.2,2.2 "$work/ours.sorted" "$work/published.sorted" |
  awk '$2 != $3 { printf "  %-40s ours %-12s published %s\n", $1, $2, $3 }' >"$work/differences.txt"
differences=$(wc -l <"$work/differences.txt")
echo "$count constants and ids, $differences differences"
cat "$work/differences.txt"
[ "$differences" -eq 0 ]
