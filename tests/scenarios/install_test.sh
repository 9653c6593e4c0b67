#!/usr/bin/env bash
# Installs the built game into a scratch prefix owned by root, as a real install is, and plays it
# through the installed launcher as an ordinary user (nobody) on the test display:
#  - with HOME unset and a private XDG_DATA_HOME: the saves appear there (their bytes are the
#    user files' test's), and START in the menu reads the level-1 mission from the installed,
#    read-only level file (watched with inotify: opened, read and closed without write access,
#    and no fallback mission announced);
#  - a relative XDG_DATA_HOME is ignored for $HOME/.local/share;
#  - with neither HOME nor XDG_DATA_HOME usable, one clear line and status 1;
#  - SIGTERM to the launcher alone stops the game too;
#  - without a sound device the launcher says so in one line and runs the game silent.
# Needs a display (DISPLAY), xdotool and inotifywait. Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
umask 022
tmp="$(mktemp -d /tmp/velmora-install-XXXXXX)"
chmod 755 "$tmp"
prefix="$tmp/prefix"
game="$prefix/libexec/velmora/velmora"
out="$tmp/out.txt"
watcher=""

cleanup() {
  [[ -z "$watcher" ]] || kill "$watcher" 2>/dev/null || true
  # Any game of this prefix still running (after a failure) goes too.
  pkill -KILL -f "^$game\$" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; echo "--- launcher output:"; cat "$out" 2>/dev/null; exit 1; }

# What the install lays out, with its modes and owners, is the package test's to list; here, what
# the player's runs rely on: the levels readable but not writable, the launcher runnable.
cmake --install "$build" --prefix "$prefix" >/dev/null
level="$prefix/share/velmora/Data/Levels/level1.dat"

# The player: nobody, with only the environment given here.
player_env=(PATH=/usr/local/bin:/usr/bin:/bin DISPLAY="${DISPLAY:?a display is needed}"
  LIBGL_ALWAYS_SOFTWARE=1 SDL12COMPAT_WINDOW_SCALING=1)
if [[ -n "${XAUTHORITY:-}" ]]; then
  install -o nobody -m 600 "$XAUTHORITY" "$tmp/xauthority"
  player_env+=(XAUTHORITY="$tmp/xauthority")
fi
as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups env -i "${player_env[@]}")
"${as_player[@]}" test -r "$level" || fail "the player cannot read the installed level file"
! "${as_player[@]}" test -w "$level" || fail "the player could write the installed level file"

# Starts the installed launcher as the player from /tmp, with the extra settings given.
launcher=""
start() {
  (cd /tmp && exec "${as_player[@]}" "$@" "$prefix/bin/velmora" >"$out" 2>&1) &
  launcher=$!
}
# Waits until the game has written its saves under DATA_HOME/velmora.
wait_for_saves() {
  local user="$1/velmora/Data/User"
  for _ in $(seq 1 300); do
    [[ -s "$user/VelMoraSaveGame.sav" && -s "$user/VelMorAccData.cfg" && -s "$user/VelmoraConfig.cfg" ]] && return 0
    kill -0 "$launcher" 2>/dev/null || fail "the launcher ended before the game wrote its saves"
    sleep 0.1
  done
  fail "no saves under $1/velmora/Data/User"
}
# The running game started by the launcher (its child), or nothing.
game_pid() { pgrep -P "$launcher" -f "^$game\$" || true; }
# SIGTERM to the launcher alone; the game must be gone when the launcher has ended.
stop_launcher() {
  [[ -n "$(game_pid)" ]] || fail "the game is not running under the launcher"
  kill -TERM "$launcher"
  wait "$launcher" || true
  [[ -z "$(pgrep -f "^$game\$" || true)" ]] || fail "the game still runs after SIGTERM to the launcher"
}

# 1. HOME unset, a private XDG_DATA_HOME; START reads level 1 from the installed file.
xdg="$tmp/xdg"
install -d -o nobody -g nogroup -m 700 "$xdg"
inotifywait -m -e open,access,close_write,close_nowrite --format '%e %f' \
  "$prefix/share/velmora/Data/Levels" >"$tmp/events" 2>"$tmp/watch.err" &
watcher=$!
for _ in $(seq 1 100); do grep -q "Watches established" "$tmp/watch.err" && break; sleep 0.1; done
grep -q "Watches established" "$tmp/watch.err" || fail "inotifywait did not start: $(cat "$tmp/watch.err")"
start SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$xdg"
wait_for_saves "$xdg"
user="$xdg/velmora/Data/User"
[[ "$(stat -c %U "$user/VelMoraSaveGame.sav")" == nobody ]] || fail "the save is not the player's"
[[ "$(readlink "$xdg/velmora/Data/Levels")" == "$prefix/share/velmora/Data/Levels" ]] \
  || fail "Data/Levels is not a link to the installed levels"
[[ ! -s "$tmp/events" ]] || fail "a level file was opened before START: $(cat "$tmp/events")"

# The game window (1024 x 768, unscaled); START is the 250 x 50 button at (387, 290) in the menu,
# which takes touches once it has faded in: press it until the level file has been read.
window="$(timeout 10 xdotool search --sync --all --pid "$(game_pid)" --name '^Vel Mora$' 2>/dev/null | head -1)"
[[ -n "$window" ]] || fail "no game window"
for _ in $(seq 1 40); do
  xdotool mousemove --window "$window" 512 315 click 1
  sleep 0.5
  grep -q '^CLOSE_NOWRITE,CLOSE level1.dat$' "$tmp/events" && break
done
sleep 0.5  # inotifywait writes each event as it comes; it is stopped on exit
events="$(grep ' level1.dat$' "$tmp/events" || true)"
# (a read is an ACCESS of a file opened)
[[ "$events" == *"ACCESS level1.dat"* ]] || fail "START did not read the installed level 1 (events: $(cat "$tmp/events"))"
[[ "$events" != *CLOSE_WRITE* ]] || fail "the installed level 1 was opened for writing"
! grep -q "missing or invalid" "$out" || fail "the game did not take level 1 from its file"
[[ -n "$(game_pid)" ]] || fail "the game ended after START"
stop_launcher
[[ ! -e /tmp/Data/User/VelMoraSaveGame.sav || /tmp/Data/User/VelMoraSaveGame.sav -ot "$user/VelMoraSaveGame.sav" ]] \
  || fail "saves went to the current directory"

# 2. A relative XDG_DATA_HOME is ignored: the saves go to $HOME/.local/share.
home="$tmp/home"
install -d -o nobody -g nogroup -m 700 "$home"
start SDL_AUDIODRIVER=dummy HOME="$home" XDG_DATA_HOME=relative-data
wait_for_saves "$home/.local/share"
stop_launcher
[[ ! -e /tmp/relative-data ]] || fail "the relative XDG_DATA_HOME was used"

# 3. Neither HOME nor XDG_DATA_HOME usable (nobody's home from the password database does not
# exist): one line that says so, status 1, no shell error.
status=0
(cd /tmp && "${as_player[@]}" XDG_DATA_HOME=relative-data "$prefix/bin/velmora") >"$out" 2>&1 || status=$?
[[ "$status" == 1 ]] || fail "status $status without a usable data folder"
[[ "$(wc -l <"$out")" == 1 ]] && grep -q "^Vel Mora: " "$out" || fail "not one clear line without a data folder"
! grep -qi "unbound variable\|line [0-9]" "$out" || fail "a shell error without a data folder"

# 4. No sound device: the game stops with its audio message; the launcher says so and runs silent.
rm -rf "$xdg"/velmora
start SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH=/dev/null XDG_DATA_HOME="$xdg"
wait_for_saves "$xdg"
stop_launcher
grep -q -e "unable to open Audio!" -e "^Could not start SDL's audio\. " "$out" \
  || fail "the game did not report the missing sound device"
[[ "$(grep -c "no sound device found; running silent." "$out")" == 1 ]] || fail "no one-line notice"
echo "install and launch as a player: 1 passed, 0 failed"
