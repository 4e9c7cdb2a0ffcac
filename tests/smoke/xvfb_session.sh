# Starts a virtual X display (1024x768, or $smoke_screen when set) with a window manager;
# sourced by the smoke tests. Sets DISPLAY and registers the clean-up. When either program does
# not come up, the test stops at once with that program's own log.
smoke_pids=()
smoke_cleanup() {
  for p in "${smoke_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "${smoke_dir:-}" ] && rm -rf "$smoke_dir"
}
trap smoke_cleanup EXIT

# smoke_fail WHAT LOG: says which program did not come up, with its log, and ends the test.
smoke_fail() {
  echo "smoke session: $1"
  [ -s "$2" ] && sed 's/^/  | /' "$2"
  exit 1
}

smoke_dir=$(mktemp -d)
# The games played here leave their demos in the test's own folder, not among the person's.
export XDG_STATE_HOME=$smoke_dir/state
for n in $(seq 91 140); do
  [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || { smoke_display=$n; break; }
done
for tool in Xvfb evilwm xdotool xprop import convert; do
  command -v "$tool" >/dev/null || smoke_fail "$tool is not installed (scripts/install-deps.sh installs it)" /dev/null
done

Xvfb ":${smoke_display}" -screen 0 "${smoke_screen:-1024x768}x24" -nolisten tcp >"$smoke_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
smoke_pids+=($xvfb_pid)
export DISPLAY=":${smoke_display}"
for _ in $(seq 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || smoke_fail "Xvfb does not answer on $DISPLAY" "$smoke_dir/xvfb.log"

# The window manager's own font comes from a font package; "fixed" is built into the X server.
evilwm -fn fixed >"$smoke_dir/wm.log" 2>&1 &
wm_pid=$!
smoke_pids+=($wm_pid)
# A managing window manager names its check window on the root window.
for _ in $(seq 50); do
  kill -0 "$wm_pid" 2>/dev/null || break
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
kill -0 "$wm_pid" 2>/dev/null || smoke_fail "the window manager (evilwm) exited" "$smoke_dir/wm.log"
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" ||
  smoke_fail "the window manager (evilwm) does not manage the screen" "$smoke_dir/wm.log"
