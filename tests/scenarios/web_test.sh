#!/usr/bin/env bash
# Builds the browser version (./web --build-only), serves it on a free loopback port and plays it
# in Debian's Chromium, Firefox ESR and WebKitGTK (web_test.mjs, or the script named second), under
# the X display the test runs on. Screenshots go to <build>/web-screenshots/.
set -euo pipefail
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
"$root/web" --build-only >"$build/web-build.log" 2>&1 || { tail -40 "$build/web-build.log"; exit 1; }
log="$(mktemp)"
python3 "$root/tools/web/serve.py" "$root/build-web" 0 >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 50); do grep -q "http://" "$log" && break; sleep 0.1; done
address="$(grep -o 'http://[0-9.:]*/' "$log")"
mkdir -p "$build/web-screenshots"
node "$here/${2:-web_test.mjs}" "$address" "$root/docs/screenshots/menu.png" "$build/web-screenshots"
