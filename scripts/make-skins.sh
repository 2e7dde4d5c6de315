#!/usr/bin/env bash
# Draws the Default skin's client-area images from the colours in
# Skins/Default.palette and writes them, with the [bg] colour of values.ini,
# into Skins/Default/. The images are committed, so building the program does
# not need ImageMagick; run this after changing the palette or a shape below.
#
# The output is byte-stable: on an unchanged palette a second run leaves every
# file as it was (no time stamps, no random numbers).
#
# Usage: scripts/make-skins.sh [--preview FILE | --check]
#   --preview FILE  also writes a 600 x 120 picture of the images laid out as
#                   the window shows them (toolbar, two panes, their bars).
#   --check         writes nothing; fails when the committed skin is not what
#                   the palette makes, or no longer fits the window's layout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
palette=$root/Skins/Default.palette
skin=$root/Skins/Default
out=$skin

preview= check=
while [ $# -gt 0 ]; do
  case $1 in
    --preview)
      [ $# -ge 2 ] || { echo "make-skins.sh: --preview needs a file name" >&2; exit 2; }
      preview=$2; shift 2 ;;
    --check) check=1; shift ;;
    -h|--help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "make-skins.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
  esac
done

command -v convert >/dev/null 2>&1 ||
  { echo "make-skins.sh: ImageMagick's 'convert' is missing (bash scripts/deps.sh installs it)" >&2; exit 1; }
[ -r "$palette" ] || { echo "make-skins.sh: cannot read the palette $palette" >&2; exit 1; }
# shellcheck source=/dev/null
. "$palette"

# Every colour must be given as #rrggbb; a typo stops here with its name.
for name in BG ACCENT FACE_TOP FACE_BOTTOM EDGE FACE_MUTED EDGE_MUTED GLYPH_MUTED \
            TRACK_OFF TRACK_ON KNOB GLYPH FIELD_EDGE CLEAR GRIP; do
  value=${!name:-}
  [[ $value =~ ^#[0-9a-fA-F]{6}$ ]] ||
    { echo "make-skins.sh: $palette: $name must be a colour like #3a7bd5, not '$value'" >&2; exit 1; }
done
for name in BG_GRAIN PRESS_DARKEN; do
  value=${!name:-}
  [[ $value =~ ^[0-9]{1,2}$ ]] ||
    { echo "make-skins.sh: $palette: $name must be a whole number from 0 to 99, not '$value'" >&2; exit 1; }
done

# darken COLOUR PERCENT: the colour with each channel that many percent darker.
darken() {
  awk -v c="$1" -v p="$2" 'BEGIN {
    printf "#";
    for (i = 0; i < 3; i++) {
      v = 0;
      for (k = 2 + 2 * i; k <= 3 + 2 * i; k++)
        v = v * 16 + index("0123456789abcdef", tolower(substr(c, k, 1))) - 1;
      printf "%02x", int(v * (100 - p) / 100 + 0.5);
    }
  }'
}

# PNG without the chunks that would differ between runs (time stamps, text).
png_opts=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt -define png:compression-level=9)

# Shapes are drawn at S times their size without anti-aliasing, then scaled down
# by averaging S x S blocks: edges get their exact coverage, and shapes whose
# edges lie on whole pixels stay crisp.
S=8

# render W H FILE: draws the shapes read from stdin into a W x H RGBA PNG.
# One shape per line, in pixels of the result, where pixel i spans [i, i+1):
#   grad NAME Y0 Y1 C0 C1         vertical gradient from C0 at Y0 to C1 at Y1
#   rect X0 Y0 X1 Y1 FILL         rectangle [X0, X1) x [Y0, Y1)
#   rrect X0 Y0 X1 Y1 R FILL      the same with corners of radius R
#   ring X0 Y0 X1 Y1 R W FILL     outline of width W just inside that rectangle
#   disc CX CY R FILL             filled circle
#   circle CX CY R W COLOUR       circle line of width W, centred on radius R
#   line X0 Y0 X1 Y1 W COLOUR     straight line of width W with round ends
#   offset DX DY                  moves the shapes that follow
# FILL is a colour (#rrggbb or #rrggbbaa) or url(#NAME) of a gradient.
render() {
  local w=$1 h=$2 file=$3 mvg
  mvg=$(awk -v S=$S '
    # ImageMagick fills every pixel whose centre lies on or inside a shape, so
    # its outlines lie half a (large) pixel inward of the wanted edges.
    function L(v) { return S * v }
    function R(v) { return S * v - 1 }
    function C(v) { return S * v - 0.5 }
    function rr(x0, y0, x1, y1, r,    l, t, rt, b) {
      l = L(x0); t = L(y0); rt = R(x1); b = R(y1); r = S * r - 0.5;
      if (r <= 0)
        return sprintf("M %g,%g H %g V %g H %g Z ", l, t, rt, b, l);
      return sprintf("M %g,%g H %g A %g,%g 0 0 1 %g,%g V %g A %g,%g 0 0 1 %g,%g H %g " \
                     "A %g,%g 0 0 1 %g,%g V %g A %g,%g 0 0 1 %g,%g Z ",
                     l + r, t, rt - r, r, r, rt, t + r, b - r, r, r, rt - r, b, l + r,
                     r, r, l, b - r, t + r, r, r, l + r, t);
    }
    function fill(f) { return (f ~ /^url/) ? "fill " f : "fill \"" f "\"" }
    BEGIN { dx = 0; dy = 0 }
    $1 == "offset" { dx = $2; dy = $3; next }
    $1 == "grad" {
      defs = defs sprintf("push gradient \047%s\047 linear 0,%g 0,%g\nstop-color \"%s\" 0\n" \
                          "stop-color \"%s\" 1\npop gradient\n", $2, L($3 + dy), R($4 + dy), $5, $6);
      next
    }
    $1 == "rect" || $1 == "rrect" || $1 == "ring" {
      r = ($1 == "rect") ? 0 : $6;
      f = ($1 == "rect") ? $6 : ($1 == "rrect") ? $7 : $8;
      x0 = $2 + dx; y0 = $3 + dy; x1 = $4 + dx; y1 = $5 + dy;
      p = rr(x0, y0, x1, y1, r);
      if ($1 == "ring") {
        w = $7; ri = r - w; if (ri < 0) ri = 0;
        p = p rr(x0 + w, y0 + w, x1 - w, y1 - w, ri);
      }
      body = body sprintf("push graphic-context\nfill-rule evenodd\nstroke none\n%s\npath \"%s\"\npop graphic-context\n",
                          fill(f), p);
      next
    }
    $1 == "disc" {
      cx = C($2 + dx); cy = C($3 + dy); r = S * $4 - 0.5;
      body = body sprintf("push graphic-context\nstroke none\n%s\ncircle %g,%g %g,%g\npop graphic-context\n",
                          fill($5), cx, cy, cx, cy - r);
      next
    }
    $1 == "circle" {
      cx = C($2 + dx); cy = C($3 + dy);
      body = body sprintf("push graphic-context\nfill none\nstroke \"%s\"\nstroke-width %g\n" \
                          "circle %g,%g %g,%g\npop graphic-context\n", $6, S * $5 - 1, cx, cy, cx, cy - S * $4);
      next
    }
    $1 == "line" {
      body = body sprintf("push graphic-context\nfill none\nstroke \"%s\"\nstroke-width %g\n" \
                          "stroke-linecap round\nline %g,%g %g,%g\npop graphic-context\n",
                          $7, S * $6 - 1, C($2 + dx), C($3 + dy), C($4 + dx), C($5 + dy));
      next
    }
    NF > 0 { print "render: unknown shape: " $0 > "/dev/stderr"; exit 1 }
    END { if (defs != "") printf "push defs\n%spop defs\n", defs; printf "%s", body }
  ')
  convert -size "$((w * S))x$((h * S))" xc:none +antialias -draw "$mvg" \
    -scale "${w}x${h}!" "${png_opts[@]}" "PNG32:$file"
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if [ -n "$check" ]; then
  # Draw into a scratch copy and compare it with the committed files below.
  out=$tmp/Default
  mkdir -p "$out"
  [ ! -f "$skin/values.ini" ] || cp "$skin/values.ini" "$out/"
fi
mkdir -p "$out"

# --- Background: one base colour with a faint horizontal grain. Every column is
# the same, so stretching it to any width changes nothing, and any band of rows
# (the 34-pixel toolbar, a 29-pixel bar) looks like any other when it repeats.
bg_w=16 bg_h=64
awk -v c="$BG" -v g="$BG_GRAIN" -v w=$bg_w -v h=$bg_h 'BEGIN {
  for (i = 0; i < 3; i++) {
    v = 0;
    for (k = 2 + 2 * i; k <= 3 + 2 * i; k++)
      v = v * 16 + index("0123456789abcdef", tolower(substr(c, k, 1))) - 1;
    base[i] = v;
  }
  printf "P3\n%d %d\n255\n", w, h;
  seed = 12345;
  for (y = 0; y < h; y++) {
    # A fixed linear congruential sequence: the same grain on every run.
    seed = (seed * 1103515245 + 12345) % 2147483648;
    d = (g > 0) ? int(seed / 65536) % (2 * g + 1) - g : 0;
    for (x = 0; x < w; x++)
      for (i = 0; i < 3; i++) {
        v = base[i] + d; if (v < 0) v = 0; if (v > 255) v = 255;
        printf "%d ", v;
      }
    printf "\n";
  }
}' | convert ppm:- -alpha off -type TrueColor "BMP3:$out/bg.bmp"

# --- Splitter grip. It is centred on the 1-pixel vertical splitters, where only
# its middle column shows (three short dashes), and on the 6-pixel horizontal
# one, where only its middle rows show (three short bars).
render 15 12 "$out/dot.png" <<EOF
rect 7 1 8 3 $GRIP
rect 7 9 8 11 $GRIP
rect 2 5 5 7 $GRIP
rect 6 5 9 7 $GRIP
rect 10 5 13 7 $GRIP
EOF

# --- Trash can, in the toolbar's 30 x 34 trash area.
render 30 34 "$out/trash.png" <<EOF
rect 13 9 18 10 $GLYPH
rect 13 10 14 11 $GLYPH
rect 17 10 18 11 $GLYPH
rrect 8 11 23 13 0.5 $GLYPH
ring 9 12 22 26 2 1 $GLYPH
rect 12 15 13 23 $GLYPH
rect 15 15 16 23 $GLYPH
rect 18 15 19 23 $GLYPH
EOF

# --- Add button, 20 x 18: a soft white key with a blue plus.
pressed_top=$(darken "$FACE_BOTTOM" "$PRESS_DARKEN")
pressed_bottom=$(darken "$FACE_TOP" "$PRESS_DARKEN")
add_button() { # FILE FACE_TOP FACE_BOTTOM EDGE GLYPH SHIFT
  render 20 18 "$1" <<EOF
grad face 1 17 $2 $3
rrect 0 0 20 18 4 $4
rrect 1 1 19 17 3 url(#face)
offset $6 $6
rect 9 4 11 14 $5
rect 5 8 15 10 $5
EOF
}
add_button "$out/+norm.png" "$FACE_TOP" "$FACE_BOTTOM" "$EDGE" "$ACCENT" 0
add_button "$out/+down.png" "$pressed_top" "$pressed_bottom" \
  "$(darken "$EDGE" "$PRESS_DARKEN")" "$(darken "$ACCENT" "$PRESS_DARKEN")" 1
add_button "$out/+inactive.png" "$FACE_MUTED" "$FACE_MUTED" "$EDGE_MUTED" "$GLYPH_MUTED" 0

# --- On/off switch, 28 x 18. "enable" offers to switch on and shows the switch
# off (grey track, knob left); "disable" offers to switch off and shows it on
# (accent track, knob right). Pressed: darker, the knob one pixel on its way.
switch_button() { # FILE TRACK KNOB_X KNOB
  render 28 18 "$1" <<EOF
rrect 0 0 28 18 9 $(darken "$2" 14)
rrect 1 1 27 17 8 $2
disc $3 9.5 6.5 #00000022
disc $3 9 6.5 $(darken "$4" 6)
disc $3 9 5.5 $4
EOF
}
switch_button "$out/enable_norm.png" "$TRACK_OFF" 9 "$KNOB"
switch_button "$out/enable_down.png" "$(darken "$TRACK_OFF" "$PRESS_DARKEN")" 10 \
  "$(darken "$KNOB" "$PRESS_DARKEN")"
switch_button "$out/disable_norm.png" "$TRACK_ON" 19 "$KNOB"
switch_button "$out/disable_down.png" "$(darken "$TRACK_ON" "$PRESS_DARKEN")" 18 \
  "$(darken "$KNOB" "$PRESS_DARKEN")"

# --- Search field. The bar is 185 wide; the field is drawn with its right edge
# 5 pixels from the bar's end and its top at y 3, and the white edit box lies at
# (44, 6), 113 x 18: the field is 154 wide, so the box starts 18 pixels into it,
# after the magnifier, and ends 23 pixels before its end, before the clear
# button. 24 high: 23 of field and a light line under it.
render 154 24 "$out/searchbar.png" <<EOF
rrect 0 1 154 24 11.5 #ffffff88
rrect 0 0 154 23 11.5 $FIELD_EDGE
rrect 1 1 153 22 10.5 #ffffff
rrect 1 1 153 22 10.5 ${FIELD_EDGE}38
rrect 1 2 153 22 10.5 #ffffff
EOF

# The magnifier, drawn over the field's left end (same top-left corner).
render 18 23 "$out/searchbar_menu.png" <<EOF
circle 9.5 10.5 3.75 1.5 $GLYPH
line 12.4 13.4 15 16 2 $GLYPH
EOF

# The clear button: a white x on a grey disc, centred in the field's right end.
render 23 23 "$out/searchbar_delete.png" <<EOF
disc 11.5 11.5 6.5 $CLEAR
line 9 9 14 14 1.5 #ffffff
line 14 9 9 14 1.5 #ffffff
EOF

# --- values.ini: the background colour for [bg]. Other sections written by
# hand are kept; only ColorR, ColorG and ColorB of [bg] are set.
read -r red green blue < <(awk -v c="$BG" 'BEGIN {
  for (i = 0; i < 3; i++) {
    v = 0;
    for (k = 2 + 2 * i; k <= 3 + 2 * i; k++)
      v = v * 16 + index("0123456789abcdef", tolower(substr(c, k, 1))) - 1;
    printf "%d ", v;
  }
  printf "\n";
}')
ini=$out/values.ini
if [ ! -f "$ini" ]; then
  cat >"$ini" <<EOF
[general]
name=Default
author=the NimbQuillbox authors
notes=A calm, light skin: a soft grey-blue background, white fields and blue accents.

[bg]
ColorR=$red
ColorG=$green
ColorB=$blue
EOF
else
  awk -v r="$red" -v g="$green" -v b="$blue" '
    # Keys missing from [bg] are added after its last key, before blank lines.
    function flush() {
      if (inbg) {
        if (!("colorr" in done)) print "ColorR=" r;
        if (!("colorg" in done)) print "ColorG=" g;
        if (!("colorb" in done)) print "ColorB=" b;
      }
      for (; blanks > 0; blanks--) print "";
    }
    /^[ \t]*$/ { blanks++; next }
    /^[ \t]*\[/ { flush(); inbg = (tolower($0) ~ /^[ \t]*\[bg\]/); if (inbg) seen = 1; print; next }
    { for (; blanks > 0; blanks--) print "" }
    inbg && match(tolower($0), /^[ \t]*color[rgb][ \t]*=/) {
      k = tolower($0); sub(/^[ \t]*/, "", k); k = substr(k, 1, 6);
      done[k] = 1;
      print (k == "colorr" ? "ColorR=" r : k == "colorg" ? "ColorG=" g : "ColorB=" b);
      next
    }
    { print }
    END { flush(); if (!seen) printf "\n[bg]\nColorR=%s\nColorG=%s\nColorB=%s\n", r, g, b }
  ' "$ini" >"$ini.tmp"
  mv "$ini.tmp" "$ini"
fi

if [ -n "$check" ]; then
  failed=0
  fail() { echo "make-skins.sh --check: $*" >&2; failed=1; }
  for f in "$out"/*; do
    name=${f##*/}
    cmp -s "$f" "$skin/$name" ||
      fail "Skins/Default/$name differs from what the palette makes (run scripts/make-skins.sh and commit)"
  done
  # The layout the images are made for: the search bar (185 wide) draws its
  # field with the right edge 5 from its end at y 3, and the white edit box at
  # (44, 6), 113 x 18, must lie on the field's white; the clear button must not
  # reach under the box. Bar buttons sit at y 6 in a 29-pixel bar and take their
  # shape from their alpha, so their corners must be transparent.
  size() { identify -format '%w %h\n' "$skin/$1" 2>/dev/null || echo "0 0"; }
  read -r fw fh < <(size searchbar.png)
  white=$(convert "$skin/searchbar.png" -crop "113x18+$((44 - (180 - fw)))+3" +repage \
    -format '%[fx:minima.r*minima.g*minima.b*minima.a]' info: 2>/dev/null || echo 0)
  [ "$fw" -ge 136 ] && [ "$fh" -ge 22 ] && [ "$white" = 1 ] ||
    fail "searchbar.png (${fw}x$fh) does not put opaque white under the edit box at (44, 6), 113 x 18"
  read -r dw _ < <(size searchbar_delete.png)
  [ "$dw" -gt 0 ] && [ $((180 - dw)) -ge 157 ] ||
    fail "searchbar_delete.png ($dw wide) reaches under the edit box"
  for name in +norm.png +down.png +inactive.png enable_norm.png enable_down.png \
              disable_norm.png disable_down.png; do
    read -r bw bh < <(size "$name")
    corner=$(convert "$skin/$name" -format '%[fx:p{0,0}.a]' info: 2>/dev/null || echo 1)
    [ "$bh" -gt 0 ] && [ "$bh" -le 23 ] && [ "$corner" = 0 ] ||
      fail "$name (${bw}x$bh) must be at most 23 high with a transparent corner"
  done
  [ "$failed" = 0 ] && echo "The Default skin matches its palette and the window's layout."
  exit "$failed"
fi

echo "Wrote the Default skin's client images and [bg] colour to $out"

[ -n "$preview" ] || exit 0

# --- Preview: the images where the window puts them, in a 600 x 120 strip.
pw=600 ph=120 tb=34 bar=29
# The background stretched to the width, repeated downward from the top of the
# toolbar and again from the top of the pane area.
convert "$out/bg.bmp" -resize "${pw}x${bg_h}!" "$tmp/bgrow.png"
convert -size "${pw}x${tb}" "tile:$tmp/bgrow.png" "$tmp/toolbar.png"
convert -size "${pw}x$((ph - tb))" "tile:$tmp/bgrow.png" "$tmp/panes.png"
# The pane header strip's grey ramp, as the program draws it.
convert xc:'#B5B5B5' xc:'#E7E7E7' xc:'#F2F2F2' xc:'#EFEFEF' xc:'#ECECEC' xc:'#E7E7E7' \
  xc:'#E4E4E4' xc:'#E0E0E0' xc:'#DFDFDF' xc:'#E0E0E0' xc:'#DCDCDC' xc:'#D1D1D1' \
  xc:'#D5D5D5' xc:'#DDDDDD' xc:'#E7E7E7' xc:'#F3F3F3' xc:'#F0F0F0' xc:'#B4B4B4' \
  -append -scale '185x17!' "$tmp/header.png"
font=DejaVu-Sans
sw=$(identify -format %w "$out/searchbar.png")
dw=$(identify -format %w "$out/searchbar_delete.png")
addw=$(identify -format %w "$out/+norm.png")
p10=$((pw - 185))
bar_top=$((ph - bar)) list_top=$((tb + 17))
split3=$((ph - 23 - 6)) # the details strip (23 high) under the horizontal splitter
# Columns: 1-pixel margin, collections pane, splitter, fonts pane, splitter, preview.
c1=1 f1=$((1 + 185 + 1)) pv=$((1 + 185 + 1 + 185 + 1))
grip_y=$((tb + (ph - tb) / 2 - 6))
convert -size "${pw}x${ph}" xc:none \
  "$tmp/toolbar.png" -geometry +0+0 -composite \
  "$tmp/panes.png" -geometry +0+$tb -composite \
  "$out/trash.png" -geometry +0+0 -composite \
  "$out/searchbar.png" -geometry +$((p10 + 185 - 5 - sw))+3 -composite \
  "$out/searchbar_menu.png" -geometry +$((p10 + 185 - 5 - sw))+3 -composite \
  "$out/searchbar_delete.png" -geometry +$((p10 + 185 - 5 - dw))+3 -composite \
  -fill white -draw "rectangle $((p10 + 44)),6 $((p10 + 44 + 113 - 1)),$((6 + 18 - 1))" \
  -font "$font" -pointsize 10 -fill black -annotate +$((p10 + 45))+20 'Sans' \
  "$out/dot.png" -geometry +$((f1 - 1 - 7))+$grip_y -composite \
  "$out/dot.png" -geometry +$((pv - 1 - 7))+$grip_y -composite \
  \( "$out/dot.png" -crop 15x6+0+3 +repage \) -geometry +$(((pv + pw) / 2 - 7))+$split3 -composite \
  "$tmp/header.png" -geometry +$c1+$tb -composite \
  "$tmp/header.png" -geometry +$f1+$tb -composite \
  -fill white -draw "rectangle $c1,$list_top $((c1 + 184)),$((bar_top - 1))" \
  -draw "rectangle $f1,$list_top $((f1 + 184)),$((bar_top - 1))" \
  -draw "rectangle $pv,$tb $((pw - 1)),$((split3 - 1))" \
  -fill '#3399ff' -draw "rectangle $c1,$((list_top + 15)) $((c1 + 184)),$((list_top + 29))" \
  -pointsize 8.25 -fill black \
  -annotate +$((c1 + 70))+$((tb + 12)) 'Collection' -annotate +$((f1 + 85))+$((tb + 12)) 'Font' \
  -annotate +$((c1 + 10))+$((list_top + 11)) 'All Fonts' \
  -annotate +$((f1 + 10))+$((list_top + 11)) 'DejaVu Sans' \
  -annotate +$((f1 + 10))+$((list_top + 26)) 'DejaVu Sans Mono' \
  -pointsize 18 -annotate +$((pv + 10))+$((tb + 30)) 'The quick brown fox' \
  -pointsize 8.25 -fill white -annotate +$((c1 + 10))+$((list_top + 26)) 'Sans' \
  "$out/+norm.png" -geometry +$((c1 + 2))+$((bar_top + 6)) -composite \
  "$out/disable_norm.png" -geometry +$((c1 + 2 + addw + 4))+$((bar_top + 6)) -composite \
  "$out/+down.png" -geometry +$((f1 + 2))+$((bar_top + 6)) -composite \
  "$out/enable_norm.png" -geometry +$((f1 + 2 + addw + 4))+$((bar_top + 6)) -composite \
  -fill white -annotate +$((f1 + 185 - 20 - 38))+$((bar_top + 18)) '2 fonts' \
  -fill black -annotate +$((f1 + 185 - 20 - 38))+$((bar_top + 17)) '2 fonts' \
  -alpha off "$preview"
echo "Wrote the preview $preview"
