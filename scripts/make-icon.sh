#!/usr/bin/env bash
# Draws the application icon app/res/NimbQuillbox.ico from app/res/NimbQuillbox.icon
# (the letter, its font and the images' sizes) and the accent colour of
# Skins/Default.palette. The icon is committed, so building the program does not
# need ImageMagick; run this after changing either source.
#
# The output is byte-stable: on unchanged sources a second run leaves the icon
# as it was (no time stamps, no random numbers).
#
# Usage: scripts/make-icon.sh [--preview FILE | --check]
#   --preview FILE  also writes FILE, a PNG of every image at 1x and 4x on light
#                   and dark backgrounds.
#   --check         writes nothing; fails when the committed icon is not what its
#                   sources make, or lacks one of its 16, 24, 32, 48 and 256 pixel
#                   images in the formats Windows expects.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source_file=$root/app/res/NimbQuillbox.icon
icon=$root/app/res/NimbQuillbox.ico

preview= check=
while [ $# -gt 0 ]; do
  case $1 in
    --preview)
      [ $# -ge 2 ] || { echo "make-icon.sh: --preview needs a file name" >&2; exit 2; }
      preview=$2; shift 2 ;;
    --check) check=1; shift ;;
    -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "make-icon.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
  esac
done

command -v convert >/dev/null 2>&1 ||
  { echo "make-icon.sh: ImageMagick's 'convert' is missing (bash scripts/deps.sh installs it)" >&2; exit 1; }

# shellcheck source=/dev/null
ACCENT=$(. "$root/Skins/Default.palette" && echo "$ACCENT")
# shellcheck source=/dev/null
. "$source_file"
[ -r "$GLYPH_FONT" ] ||
  { echo "make-icon.sh: the font $GLYPH_FONT is missing (bash scripts/deps.sh installs it)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The square is drawn at S times its size without anti-aliasing and scaled down
# by averaging S x S blocks: its straight edges lie on whole pixels and stay
# crisp, its corners get their exact coverage. The letter is drawn at the
# image's own size, hinted, and placed on whole pixels.
S=8
images=()
while read -r size inset radius em dx dy; do
  [ -n "$size" ] || continue
  square=$tmp/square-$size.png letter=$tmp/letter-$size.png image=$tmp/$size.png
  convert -size "$((size * S))x$((size * S))" xc:none +antialias -fill "$ACCENT" \
    -draw "roundrectangle $((inset * S)),$((inset * S)) $(((size - inset) * S - 1)),$(((size - inset) * S - 1)) $((radius * S)),$((radius * S))" \
    -scale "${size}x$size!" "PNG32:$square"
  convert -size "$((size * 2))x$((size * 2))" xc:none -font "$GLYPH_FONT" -pointsize "$em" \
    -fill "$GLYPH_COLOUR" -gravity center -annotate +0+0 "$GLYPH" -trim +repage "PNG32:$letter"
  convert "$square" "$letter" -gravity center -geometry "+$dx+$dy" -composite -strip "PNG32:$image"
  images+=("$image")
done <<<"$IMAGES"

# ImageMagick writes the 256 image as PNG and the smaller ones as 32-bit
# bitmaps with an AND mask, in the order given.
out=$tmp/NimbQuillbox.ico
convert "${images[@]}" "ICO:$out"

# entries FILE: "WIDTH HEIGHT BITS KIND" per image of an icon file, from its
# directory (a width or height byte of 0 means 256) and the first bytes of each
# image (PNG or BMP).
entries() {
  local file=$1 count i w h bits offset magic
  count=$(od -An -tu2 -j4 -N2 "$file" | tr -d ' ')
  for ((i = 0; i < count; i++)); do
    read -r w h < <(od -An -tu1 -j$((6 + 16 * i)) -N2 "$file")
    bits=$(od -An -tu2 -j$((6 + 16 * i + 6)) -N2 "$file" | tr -d ' ')
    offset=$(od -An -tu4 -j$((6 + 16 * i + 12)) -N4 "$file" | tr -d ' ')
    magic=$(od -An -tx1 -j"$offset" -N4 "$file" | tr -d ' ')
    case $magic in
      89504e47) magic=PNG ;;
      28000000) magic=BMP ;;
      *) magic=unknown ;;
    esac
    echo "$((w == 0 ? 256 : w)) $((h == 0 ? 256 : h)) $bits $magic"
  done
}

expected=""
while read -r size _; do
  [ -n "$size" ] || continue
  kind=BMP; [ "$size" -lt 256 ] || kind=PNG
  expected+="$size $size 32 $kind"$'\n'
done <<<"$IMAGES"
[ "$(entries "$out")" = "${expected%$'\n'}" ] ||
  { echo "make-icon.sh: ImageMagick wrote unexpected images:" >&2; entries "$out" >&2; exit 1; }

if [ -n "$check" ]; then
  failed=0
  fail() { echo "make-icon.sh --check: $*" >&2; failed=1; }
  if [ ! -f "$icon" ]; then
    fail "app/res/NimbQuillbox.ico is missing (run scripts/make-icon.sh and commit)"
  else
    cmp -s "$out" "$icon" ||
      fail "app/res/NimbQuillbox.ico differs from what its sources make (run scripts/make-icon.sh and commit)"
    committed=$(entries "$icon")
    for size in 16 24 32 48 256; do
      kind=BMP; [ $size -lt 256 ] || kind=PNG
      grep -qx "$size $size 32 $kind" <<<"$committed" ||
        fail "app/res/NimbQuillbox.ico has no 32-bit $size x $size image stored as $kind"
    done
  fi
  [ $failed = 0 ] && echo "make-icon.sh --check: app/res/NimbQuillbox.ico is what its sources make"
  exit $failed
fi

cp "$out" "$icon"
echo "Wrote $icon"

if [ -n "$preview" ]; then
  # Each image at 1x and enlarged 4x (pixels as squares), on a light and a dark
  # background, as Explorer and the taskbar would show it.
  rows=()
  for background in '#f3f3f3' '#202020'; do
    cells=()
    for image in "${images[@]}"; do
      size=$(identify -format %w "$image")
      [ "$size" -le 48 ] || continue
      cells+=("(" "$image" -background "$background" -gravity center -extent 56x56 ")")
      cells+=("(" "$image" -filter point -resize 400% -background "$background" -gravity center
              -extent 200x200 ")")
    done
    convert "${cells[@]}" +append "$tmp/row-${#rows[@]}.png"
    rows+=("$tmp/row-${#rows[@]}.png")
  done
  convert "${rows[@]}" -append \( "${images[-1]}" -background '#f3f3f3' -flatten \) \
    -gravity northwest +append -alpha off "$preview"
  echo "Wrote the preview $preview"
fi
