#!/usr/bin/env bash
# Installs the built game into a temporary prefix and starts the installed launcher from /tmp, as
# a player would, with a private XDG_DATA_HOME: the game must run there, keep its saves under
# $XDG_DATA_HOME/velmora/Data/User, and, on a machine without a sound device, say so in one line
# and run silent. Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
tmp="$(mktemp -d /tmp/velmora-install-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; echo "--- launcher output:"; cat "$tmp/out.txt" 2>/dev/null; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
for f in bin/velmora libexec/velmora/velmora share/velmora/Data/Images/menuBG.png \
         share/velmora/Data/Levels/level1.dat share/applications/velmora.desktop \
         share/icons/hicolor/256x256/apps/velmora.png share/doc/velmora/LICENSE; do
  [[ -e "$tmp/prefix/$f" ]] || fail "missing $f"
done

# Runs the installed launcher from /tmp until the game has written its saves, then closes it.
run_launcher() {
  (cd /tmp && exec setsid env XDG_DATA_HOME="$tmp/xdg" "$@" "$tmp/prefix/bin/velmora" >"$tmp/out.txt" 2>&1) &
  local group=$!
  local saves="$tmp/xdg/velmora/Data/User"
  for _ in $(seq 1 300); do
    [[ -s "$saves/VelMoraSaveGame.sav" && -s "$saves/VelMorAccData.cfg" ]] && break
    sleep 0.1
  done
  sleep 0.5
  kill -TERM -- "-$group" 2>/dev/null || true
  wait "$group" 2>/dev/null || true
}

run_launcher SDL_AUDIODRIVER=dummy
user="$tmp/xdg/velmora/Data/User"
[[ -f "$user/VelmoraConfig.cfg" ]] || fail "no options file under XDG_DATA_HOME"
[[ "$(stat -c %s "$user/VelMoraSaveGame.sav")" == 50 ]] || fail "the save is not 50 bytes"
[[ "$(head -c 3 "$user/VelmoraConfig.cfg")" == 110 ]] || fail "the options are not the defaults"
[[ -L "$tmp/xdg/velmora/Data/Images" ]] || fail "Data/Images is not a link to the installed pictures"
[[ ! -e /tmp/Data/User/VelMoraSaveGame.sav || /tmp/Data/User/VelMoraSaveGame.sav -ot "$user/VelMoraSaveGame.sav" ]] \
  || fail "saves went to the current directory"

# No sound device: the game stops with its audio message; the launcher says so and runs silent.
rm -rf "$tmp/xdg"
run_launcher SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH=/dev/null
grep -q "unable to open Audio!" "$tmp/out.txt" || fail "the game did not report the missing sound device"
[[ "$(grep -c "no sound device found; running silent." "$tmp/out.txt")" == 1 ]] || fail "no one-line notice"
[[ -s "$tmp/xdg/velmora/Data/User/VelMoraSaveGame.sav" ]] || fail "the silent game did not start"
echo "install and launch: 1 passed, 0 failed"
