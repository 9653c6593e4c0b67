#!/usr/bin/env bash
# Builds the browser version, serves it on a free loopback port and writes the screenshot of its
# help on a touch screen (docs/screenshots/web-help-touch.png, or the file given), checking that
# it is the touch help rather than the desktop's.
#   tools/screenshots/take-web.sh [output.png]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(realpath -m "${1:-$root/docs/screenshots/web-help-touch.png}")"
"$root/web" --build-only >/dev/null
log="$(mktemp)"
python3 "$root/tools/web/serve.py" "$root/build-web" 0 >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 50); do grep -q "http://" "$log" && break; sleep 0.1; done
node "$root/tools/screenshots/web_help.mjs" "$(grep -o 'http://[0-9.:]*/' "$log")" "$root/docs/screenshots/help.png" "$out"
