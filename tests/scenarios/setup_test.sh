#!/usr/bin/env bash
# The set-up and the game's start where the machine is not ready: the set-up waits for another
# package manager's lock and then succeeds (in its dry run, so that nothing is installed; no test
# installs anything), and the game stops at once with a clear reason when there is no display or
# its audio driver does not exist, having written nothing.
set -uo pipefail
build="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
scratch="$(mktemp -d)"
holder=""
trap '[[ -n "$holder" ]] && kill "$holder" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Packages are installed by the set-up step only (tools/deps.sh, run before the suite).
installs="$(grep -rnE 'apt(-get)? +(-[^ ]+ +)*install|npm +(ci|install)|^ *[^ #]*deps\.sh' "$root/tests" "$root/tools/hardening" |
  grep -vE '^[^:]+:[0-9]+: *(#|//)')"
[[ -z "$installs" ]] || fail "a test installs packages: $installs"

if [[ $(id -u) -eq 0 ]]; then
  # Another process holds dpkg's front-end lock until the set-up says it is waiting for it.
  python3 -c '
import fcntl, sys, time
lock = open("/var/lib/dpkg/lock-frontend", "a")
fcntl.lockf(lock, fcntl.LOCK_EX)
open(sys.argv[1], "w").close()
time.sleep(600)' "$scratch/locked" &
  holder=$!
  for _ in $(seq 600); do [[ -e "$scratch/locked" ]] && break; sleep 0.1; done
  [[ -e "$scratch/locked" ]] || fail "could not take the package lock"
  VELMORA_DEPS_DRY_RUN=1 "$root/tools/deps.sh" >"$scratch/deps.log" 2>&1 &
  deps=$!
  for _ in $(seq 1200); do grep -q "Waiting for cache lock" "$scratch/deps.log" && break; sleep 0.1; done
  grep -q "Waiting for cache lock" "$scratch/deps.log" || fail "the set-up did not wait for the lock: $(cat "$scratch/deps.log")"
  kill -0 "$deps" 2>/dev/null || fail "the set-up ended while the lock was held"
  kill "$holder"
  wait "$holder" 2>/dev/null
  holder=""
  wait "$deps" || fail "the set-up failed once the lock was free: $(cat "$scratch/deps.log")"
  grep -q "^Would install: " "$scratch/deps.log" || fail "no dry-run summary: $(cat "$scratch/deps.log")"
fi

# Start-up failures, in an empty folder that must stay empty.
cd "$scratch" && rm -f locked deps.log
out="$(env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$scratch" SDL_AUDIODRIVER=dummy timeout 60 "$build/velmora" 2>&1; echo "exit $?")"
[[ "$out" == *"Could not set up the 1024x768 OpenGL window. Reason: there is no display"*"exit 1" ]] ||
  fail "no display: $out"
[[ -n "${DISPLAY:-}" ]] || fail "this test runs under a display (xvfb-run)"
out="$(SDL_AUDIODRIVER=nonsense timeout 60 "$build/velmora" 2>&1; echo "exit $?")"
[[ "$out" == *"Could not start SDL. Reason: Audio target 'nonsense' not available"*"exit 1" ]] ||
  fail "unknown audio driver: $out"
[[ -z "$(find . -mindepth 1 -print -quit)" ]] || fail "a failed start wrote: $(find . -mindepth 1)"
echo "set-up and start failures: all as expected"
