#!/usr/bin/env bash
# Installs the Debian packages the game needs when any of them is missing: with --web, what the
# browser build needs too; with --tests, what every test needs (the browser build's among them),
# and the npm package that drives Debian's Chromium. Uses sudo when not run as root. With
# VELMORA_DEPS_DRY_RUN set it only says what it would install, after waiting for the package lock.
set -euo pipefail
packages=(g++ cmake make pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libgl-dev
  python3 librsvg2-bin libcairo2-dev libfreetype-dev libpng-dev fonts-freefont-ttf libstb-dev)
if [[ "${1:-}" == "--web" || "${1:-}" == "--tests" ]]; then
  packages+=(emscripten node-acorn vorbis-tools netpbm)
  command -v node >/dev/null || packages+=(nodejs)
fi
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(chromium firefox-esr webkit2gtk-driver)
  command -v npm >/dev/null || packages+=(npm)
  packages+=(googletest libgtest-dev xvfb xauth libx11-dev libxtst-dev clang libclang-rt-14-dev
    xdotool inotify-tools dpkg-dev file appstream desktop-file-utils strace)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
# Another package manager may hold the lock (an unattended upgrade, a second set-up): wait for it
# rather than fail.
lock=(-o DPkg::Lock::Timeout="${VELMORA_APT_LOCK_TIMEOUT:-600}")
if [[ -n "${VELMORA_DEPS_DRY_RUN:-}" ]]; then
  # Says what would be installed and takes the package lock as an install would (apt-get check
  # waits for it the same way), changing nothing.
  echo "Would install: ${missing[*]:-nothing}"
  $sudo apt-get "${lock[@]}" check -q
  exit 0
fi
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get "${lock[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y -qq "${missing[@]}"
fi
web_tools="$(dirname "$0")/web"
if [[ "${1:-}" == "--tests" ]] && ! (for m in playwright-core puppeteer-core selenium-webdriver; do
  [[ -d "$web_tools/node_modules/$m" ]] || exit 1; done); then
  (cd "$web_tools" && npm ci --no-audit --no-fund --silent)
fi
