# Starts a virtual X display (1024x768, or $smoke_screen when set) with a window manager;
# sourced by the smoke tests. Sets DISPLAY and registers the clean-up.
smoke_pids=()
smoke_cleanup() {
  for p in "${smoke_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "${smoke_dir:-}" ] && rm -rf "$smoke_dir"
}
trap smoke_cleanup EXIT

smoke_dir=$(mktemp -d)
for n in $(seq 91 140); do
  [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || { smoke_display=$n; break; }
done
Xvfb ":${smoke_display}" -screen 0 "${smoke_screen:-1024x768}x24" -nolisten tcp >"$smoke_dir/xvfb.log" 2>&1 &
smoke_pids+=($!)
export DISPLAY=":${smoke_display}"
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
evilwm >"$smoke_dir/wm.log" 2>&1 &
smoke_pids+=($!)
sleep 0.5
