#!/usr/bin/env bash
# Builds the game and plays it headless (Xvfb, no sound device needed), writing screenshots of
# its screens into docs/screenshots/ (or the folder given).
#   tools/screenshots/take.sh [output-folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(realpath -m "${1:-$root/docs/screenshots}")"
"$root/tools/deps.sh" --tests
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target velmora-screenshots -j"$(nproc)"
mkdir -p "$out"
cd "$root/build"
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" ./velmora-screenshots "$out"
