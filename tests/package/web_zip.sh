#!/usr/bin/env bash
# The released web zip as a web host meets it: unpacked, served by a plain static server that
# knows nothing of the project (python3 -m http.server), and played in headless Chromium to the
# first landscape with its song (the web tests' "play" case).
# Usage: web_zip.sh ZIP RUNNER
set -euo pipefail
zip=$(realpath "$1") runner=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
(cd "$work" && unzip -q "$zip") || { echo "cannot unpack $zip"; exit 1; }
site=$(echo "$work"/gaiablade-*-web)
[ -f "$site/index.html" ] || { echo "no index.html in the zip's folder"; exit 1; }
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port" >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/index.html')" 2>/dev/null && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/index.html')" 2>/dev/null ||
  { echo "python3 -m http.server does not answer"; cat "$work/server.log"; exit 1; }
GAIABLADE_WEB_URL=http://127.0.0.1:$port/ node "$here/tests/web/web_test.mjs" play "$site" "$runner"
