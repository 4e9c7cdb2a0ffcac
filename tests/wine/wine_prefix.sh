#!/usr/bin/env bash
# Makes a fresh Wine prefix in WINE_ROOT (removed first) for the Wine tests, which share it:
# wineboot once, the GDI renderer for DirectDraw (no OpenGL needed, and a fraction of the
# processor time), and ALSA's default sound device writing to the file named by $WINE_CAPTURE.
# Usage: wine_prefix.sh WINE_ROOT
set -euo pipefail
WINE_ROOT=$1
rm -rf "$WINE_ROOT"
mkdir -p "$WINE_ROOT/home" "$WINE_ROOT/prefix"
export HOME=$WINE_ROOT/home WINEPREFIX=$WINE_ROOT/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winebus.sys,wineusb.sys="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "Wine is not installed ($wine; scripts/install-deps.sh installs wine64)"; exit 1; }

cat >"$HOME/.asoundrc" <<'ALSA'
pcm.!default {
  type file
  slave.pcm "null"
  file { @func getenv vars [ WINE_CAPTURE ] default "/dev/null" }
  format "wav"
}
ALSA

log=$WINE_ROOT/wineboot.log
trap '"$wineserver" -k 2>/dev/null || true' EXIT
if ! DISPLAY= "$wine" wineboot -i >"$log" 2>&1; then
  echo "wineboot failed:"; sed 's/^/  | /' "$log"; exit 1
fi
DISPLAY= "$wine" reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d gdi /f >>"$log" 2>&1 ||
  { echo "cannot set the Direct3D renderer:"; sed 's/^/  | /' "$log"; exit 1; }
"$wineserver" -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot made no prefix:"; sed 's/^/  | /' "$log"; exit 1; }
echo "Wine prefix ready in $WINEPREFIX ($(du -sh "$WINEPREFIX" | cut -f1))"
