#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack and checks what it would install:
# its name, version, architecture and library dependencies; no maintainer scripts (removing it
# cannot touch the players' saves); the launcher on PATH, the game under /usr/libexec, the asset
# tree, the desktop entry, the icons in their sizes, owned by root; an AppStream entry that
# appstreamcli accepts and a desktop entry that desktop-file-validate accepts.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
umask 022
tmp="$(mktemp -d /tmp/velmora-package-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack -G DEB failed"; }
arch="$(dpkg --print-architecture)"
debs=("$tmp"/out/velmora_*_"$arch".deb)
[[ ${#debs[@]} == 1 && -f "${debs[0]}" ]] || fail "no velmora_VERSION_$arch.deb in $(ls "$tmp/out")"
deb="${debs[0]}"

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == velmora ]] || fail "package name $(field Package)"
[[ "$(field Architecture)" == "$arch" ]] || fail "architecture $(field Architecture)"
[[ "$deb" == *"/velmora_$(field Version)_$arch.deb" ]] || fail "file name does not carry version $(field Version)"
[[ "$(field Section)" == games ]] || fail "section $(field Section)"
depends="$(field Depends)"
for lib in libsdl-image1.2 libsdl-mixer1.2 libgl1 libc6 libstdc++6; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
done
[[ "$depends" =~ libsdl1\.2(debian|-compat) ]] || fail "Depends lacks SDL 1.2: $depends"
dpkg-deb -I "$deb" >"$tmp/info"
! grep -qwE 'preinst|postinst|prerm|postrm' "$tmp/info" || fail "the package has maintainer scripts: $(cat "$tmp/info")"

# Contents: paths, owners and modes as dpkg would install them.
dpkg-deb -c "$deb" >"$tmp/list"
! awk '{print $2}' "$tmp/list" | grep -qv '^root/root$' || fail "files not owned by root"
mode_of() { awk -v p="./$1" '$6 == p {print $1}' "$tmp/list"; }
[[ "$(mode_of usr/bin/velmora)" == -rwxr-xr-x ]] || fail "launcher not on PATH as 0755"
[[ "$(mode_of usr/libexec/velmora/velmora)" == -rwxr-xr-x ]] || fail "game not in /usr/libexec/velmora"
[[ "$(mode_of usr/share/velmora/Data/Levels/level1.dat)" == -rw-r--r-- ]] || fail "level 1 not a 0644 asset"
! grep -q '/Data/User' "$tmp/list" || fail "the package ships a User folder"

dpkg -x "$deb" "$tmp/root"
usr="$tmp/root/usr"
id=org.velmora.VelMora
for f in libexec/velmora/velmora-window-scale share/velmora/Data/Images/menuBG.png \
         share/velmora/Data/Fonts share/velmora/Data/Sounds share/applications/$id.desktop \
         share/icons/hicolor/scalable/apps/velmora.svg share/doc/velmora/copyright share/doc/velmora/LICENSE; do
  [[ -e "$usr/$f" ]] || fail "missing /usr/$f"
done
for size in 16 32 48 64 128 256; do
  file "$usr/share/icons/hicolor/${size}x$size/apps/velmora.png" | grep -q "PNG image data, $size x $size," \
    || fail "no ${size}x$size icon"
done
file "$usr/libexec/velmora/velmora" | grep -q ', stripped' || fail "the game is not stripped"
# The launcher finds the game and assets beside it, wherever the tree is.
grep -q '^libexec="$prefix/libexec/velmora"$' "$usr/bin/velmora" || fail "the launcher does not look in libexec/velmora"

metainfo="$usr/share/metainfo/$id.metainfo.xml"
[[ -f "$metainfo" ]] || fail "no /usr/share/metainfo/$id.metainfo.xml"
grep -q "<release version=\"$(field Version)\"" "$metainfo" || fail "the AppStream release is not the package version"
appstreamcli validate --no-net "$metainfo" >"$tmp/validate" 2>&1 || { cat "$tmp/validate"; fail "appstreamcli rejects the metainfo"; }
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate rejects the desktop entry"
echo "Debian package $(basename "$deb"): 1 passed, 0 failed"
