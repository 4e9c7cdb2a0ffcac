# Sourced by the Wine tests: a virtual X display with a window manager and a 640x480 mode for
# the program's full-screen display, and Wine over the prefix that wine_prefix.sh made in
# WINE_ROOT. Starts nothing of Wine itself; wine_start does. Every program started here is
# ended when the test ends (the prefix's wine server with everything it runs, then X).
# Needs: WINE_ROOT.
source "$(dirname "${BASH_SOURCE[0]}")/../smoke/xvfb_session.sh"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || smoke_fail "Wine is not installed ($wine; scripts/install-deps.sh installs wine64)" /dev/null
[ -d "$WINE_ROOT/prefix" ] || smoke_fail "no Wine prefix in $WINE_ROOT (the wine.prefix test makes it)" /dev/null
export HOME=$WINE_ROOT/home WINEPREFIX=$WINE_ROOT/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winebus.sys,wineusb.sys="
# The sound device: ALSA's default device writes what it is given to $WINE_CAPTURE (see
# wine_prefix.sh); nothing is recorded without it.
export WINE_CAPTURE=/dev/null

wine_cleanup() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  smoke_cleanup
}
trap wine_cleanup EXIT

# screen_mode: the screen's mode now, as WIDTHxHEIGHT.
screen_mode() { xrandr --current | sed -n 's/.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
# The desktop's mode, which the program must give back when it ends.
desktop_mode=$(screen_mode)
[ -n "$desktop_mode" ] || smoke_fail "xrandr names no current mode of the virtual screen" "$smoke_dir/xvfb.log"
# desktop_mode_back: true when the screen is in the desktop's mode again (within 2 s).
desktop_mode_back() {
  for _ in $(seq 20); do
    [ "$(screen_mode)" = "$desktop_mode" ] && return 0
    sleep 0.1
  done
  return 1
}

# The mode Wine switches the screen to for a full-screen 640x480 display.
xrandr --newmode 640x480 25.175 640 656 752 800 480 490 492 525 -hsync -vsync >"$smoke_dir/xrandr.log" 2>&1 &&
  xrandr --addmode screen 640x480 >>"$smoke_dir/xrandr.log" 2>&1 ||
  smoke_fail "xrandr cannot add a 640x480 mode to the virtual screen" "$smoke_dir/xrandr.log"

# wine_start PROGRAM.exe [ARGS...]: starts a Windows program in the current folder, in the
# background; its standard output and error go to $smoke_dir/wine.out and wine.err, its pid to
# $wine_pid.
wine_start() {
  "$wine" "$@" >"$smoke_dir/wine.out" 2>"$smoke_dir/wine.err" &
  wine_pid=$!
}

# wine_window NAME: waits up to 20 s for a window of that title and prints its id; fails the
# test with Wine's log when none comes or Wine has ended.
wine_window() {
  local id=""
  for _ in $(seq 200); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    kill -0 "$wine_pid" 2>/dev/null || smoke_fail "Wine ended before a window named \"$1\" came" "$smoke_dir/wine.err"
    sleep 0.1
  done
  [ -n "$id" ] || smoke_fail "no window named \"$1\" within 20 s" "$smoke_dir/wine.err"
  echo "$id"
}

# wine_wait SECONDS: waits for the program to end and sets $wine_status to its exit status, or
# to "running" when it is still running. (Not in a subshell: only this shell can wait for it.)
wine_wait() {
  for _ in $(seq $(($1 * 10))); do
    kill -0 "$wine_pid" 2>/dev/null || break
    sleep 0.1
  done
  wine_status=running
  if ! kill -0 "$wine_pid" 2>/dev/null; then
    wine_status=0
    wait "$wine_pid" || wine_status=$?
  fi
}

# hold KEY SECONDS: holds a key down for a while (the game reads keys once a pass).
hold() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}

# fail WHAT: ends the test with WHAT and the program's standard error.
fail() {
  echo "$1"
  sed 's/^/  | /' "$smoke_dir/wine.err"
  exit 1
}
# shot NAME [SECONDS]: the screen, once the program has had time to draw, in NAME.png; it must
# be in the program's 640x480 mode.
shot() {
  sleep "${2:-1}"
  import -window root "$1.png"
  [ "$(identify -format %wx%h "$1.png")" = 640x480 ] || fail "$1: the screen is $(identify -format %wx%h "$1.png"), not in the 640x480 mode"
}
# differing A B [GEOMETRY]: the number of pixels that differ (within GEOMETRY, when given).
differing() {
  convert "$1" -crop "${3:-640x480+0+0}" +repage a.png
  convert "$2" -crop "${3:-640x480+0+0}" +repage b.png
  compare -metric AE a.png b.png null: 2>&1 || true
}
