#!/bin/bash
# contact-sheet.sh — tiles every PNG under an images directory into one labelled contact sheet.
#
# Usage: tools/contact-sheet/contact-sheet.sh [images-dir] [output.png]
#   images-dir  defaults to build/Data/Images (relative to the repository root)
#   output.png  defaults to contact-sheet.png in the current directory
# Environment: TILE=<px> tile size (default 160; larger pictures are shrunk to fit, smaller ones
# keep their size), COLUMNS_PER_ROW=<n> (default 8).
#
# Each picture is labelled with its path below images-dir and its size. Pictures are drawn over a
# dark slate that marks their extent (transparent parts show the slate), on a darker sheet, so
# glows and soft edges look as they will over the game's dark screens. Needs ImageMagick.
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
images_dir=${1:-$repo_root/build/Data/Images}
output=${2:-contact-sheet.png}
tile=${TILE:-160}
columns=${COLUMNS_PER_ROW:-8}

if ! command -v montage >/dev/null; then
  echo "contact-sheet: ImageMagick's montage is not installed (Debian: imagemagick)" >&2
  exit 1
fi
if [[ ! -d $images_dir ]]; then
  echo "contact-sheet: $images_dir is not a directory (build the assets first)" >&2
  exit 1
fi

mapfile -d '' pictures < <(cd "$images_dir" && find . -type f -name '*.png' -print0 | LC_ALL=C sort -z)
if ((${#pictures[@]} == 0)); then
  echo "contact-sheet: no PNG files under $images_dir" >&2
  exit 1
fi

font_args=()
freesans=/usr/share/fonts/truetype/freefont/FreeSans.ttf
[[ -f $freesans ]] && font_args=(-font "$freesans")

# One "-label <name> <file>" pair per picture; the label also gives the picture's pixel size.
args=()
for p in "${pictures[@]}"; do
  rel=${p#./}
  args+=(-label "$rel\n%wx%h" "$images_dir/$rel")
done

montage "${font_args[@]}" -pointsize 11 -fill '#d8e4ee' -background '#141a24' \
  "${args[@]}" \
  -tile "${columns}x" -geometry "${tile}x${tile}>+8+8" \
  -bordercolor '#222c3a' -border 1 -depth 8 \
  "$output"
echo "contact-sheet: ${#pictures[@]} pictures from $images_dir -> $output"
