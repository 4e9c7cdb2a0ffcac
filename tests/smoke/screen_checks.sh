# Checks of what the virtual screen shows; sourced after xvfb_session.sh.

# expect_screen SECONDS "X Y RRGGBB" ...: looks at the screen until every point shows its
# colour (hex, as ImageMagick writes it), or says which points differ after SECONDS.
expect_screen() {
  local seconds=$1; shift
  local format="" want="" x y colour got=""
  for point in "$@"; do
    read -r x y colour <<<"$point"
    format+="%[hex:p{$x,$y}] "
    want+="$colour "
  done
  local deadline=$((SECONDS + seconds))
  while :; do
    import -window root "$smoke_dir/screen.png"
    got=$(convert "$smoke_dir/screen.png" -format "$format" info:)
    [ "$got" = "$want" ] && return 0
    [ "$SECONDS" -ge "$deadline" ] && break
    sleep 0.2
  done
  echo "screen differs: wanted $want"
  echo "                got    $got"
  return 1
}

# keep_screen NAME: when SMOKE_KEEP names a folder, keeps the last screen looked at as NAME.png.
keep_screen() {
  if [ -n "${SMOKE_KEEP:-}" ]; then
    mkdir -p "$SMOKE_KEEP" && cp "$smoke_dir/screen.png" "$SMOKE_KEEP/$1.png"
  fi
}

# window_origin WINDOW: sets win_x, win_y, win_w and win_h to the window's inside on the screen.
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
}

# wait_exit PID: waits up to 5 s for the game to end; fails unless it ended with status 0.
wait_exit() {
  local status=0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then
    echo "the game did not exit within 5 s"
    return 1
  fi
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || { echo "exit status $status"; return 1; }
}

# expect_full_screen SECONDS PICTURE: looks at the screen until it shows PICTURE filling it, or
# says how far off it was after SECONDS. The picture is smoothed to the screen's size first; the
# game's own picture comes within 0.03 of it, any other within 0.3.
expect_full_screen() {
  local seconds=$1 picture=$2 distance=""
  convert "$picture" -filter triangle -resize "$(xdotool getdisplaygeometry | tr ' ' x)!" \
    "$smoke_dir/expected.png"
  local deadline=$((SECONDS + seconds))
  while :; do
    import -window root "$smoke_dir/screen.png"
    distance=$(compare -metric RMSE "$smoke_dir/screen.png" "$smoke_dir/expected.png" null: 2>&1 |
               sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
    awk -v d="$distance" 'BEGIN { exit !(d != "" && d < 0.1) }' && return 0
    [ "$SECONDS" -ge "$deadline" ] && break
    sleep 0.2
  done
  echo "the screen is not $(basename "$picture") (distance ${distance:-unknown})"
  return 1
}
