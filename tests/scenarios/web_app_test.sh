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
trap 'rm -rf "$scratch"' EXIT
# The staging, as an ordinary user (with the system's Python: root's own may lie out of its reach),
# on a Python whose modules removed in 3.13 fail to import.
mkdir -p "$scratch/py" && for m in audioop aifc sunau chunk sndhdr imghdr pipes cgi uu; do echo 'raise ImportError' >"$scratch/py/$m.py"; done
user=() python=python3
[[ $(id -u) -ne 0 ]] || { chmod 755 "$scratch"; chown nobody "$scratch"; user=(setpriv --reuid=nobody --regid=nogroup --clear-groups); python=/usr/bin/python3; }
PYTHONPATH="$scratch/py" "${user[@]}" "$python" -B "$root/tools/web/stage_data.py" "$root/build/Data" "$scratch/data"
for f in Sounds/main.ogg Sounds/loop.ogg Images/menuBG.jpg Images/logo.png Levels/level1.dat; do
  [[ -s "$scratch/data/$f" ]] || { echo "FAIL the staging made no $f"; exit 1; }
done
echo "ok   the staging runs as an ordinary user on a Python without audioop"
cp -r "$root/build-web" "$scratch/site"
python3 "$root/tools/web/serve.py" "$scratch/site" 0 >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do grep -q "http://" "$log" && break; sleep 0.1; done
address="$(grep -o 'http://[0-9.:]*/' "$log")"
node "$here/web_app_test.mjs" "$address" "$scratch/site" "$root"
