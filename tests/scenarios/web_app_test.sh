#!/usr/bin/env bash
# The browser build as an installable app: builds it (./web --build-only), copies the site to a
# scratch folder the test may change, serves that on a free loopback port and runs
# web_app_test.mjs in Debian's Chromium, headless.
set -euo pipefail
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
"$root/web" --build-only >"$build/web-app-build.log" 2>&1 || { tail -40 "$build/web-app-build.log"; exit 1; }
scratch="$(mktemp -d)"
log="$scratch/server.log"
cp -r "$root/build-web" "$scratch/site"
python3 "$root/tools/web/serve.py" "$scratch/site" 0 >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do grep -q "http://" "$log" && break; sleep 0.1; done
address="$(grep -o 'http://[0-9.:]*/' "$log")"
node "$here/web_app_test.mjs" "$address" "$scratch/site" "$root"
