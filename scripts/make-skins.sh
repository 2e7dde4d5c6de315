#!/usr/bin/env bash
# Draws every skin that has a palette: for each Skins/NAME.palette, all images of
# Skins/NAME/ (the client area's and the frame's) and its values.ini, from the
# colours and texts in that palette and the shapes and sizes below, which all
# skins share. Every image comes twice: as NAME.png at its size at 96 DPI, and
# as NAME@2x.png, the same shapes drawn at twice the pixels, which the program
# draws at display scales of 150 % and more. The images are committed, so building the program does not need
# ImageMagick; run this after changing a palette or a shape below.
#
# The output is byte-stable: on unchanged palettes a second run leaves every
# file as it was (no time stamps, no random numbers).
#
# Usage: scripts/make-skins.sh [--preview DIR | --check]
#   --preview DIR  also writes, per skin, DIR/NAME-client.png (600 x 120: the
#                  client images as the window lays them out) and
#                  DIR/NAME-frame.png (640 x 360: whole windows, active,
#                  inactive, rolled up, with the pointer over the buttons).
#   --check        writes nothing; fails when a committed skin is not what its
#                  palette makes, or no longer fits the window's layout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
skins=$root/Skins

preview= check=
while [ $# -gt 0 ]; do
  case $1 in
    --preview)
      [ $# -ge 2 ] || { echo "make-skins.sh: --preview needs a folder name" >&2; exit 2; }
      preview=$2; shift 2 ;;
    --check) check=1; shift ;;
    -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "make-skins.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
  esac
done

command -v convert >/dev/null 2>&1 ||
  { echo "make-skins.sh: ImageMagick's 'convert' is missing (bash scripts/deps.sh installs it)" >&2; exit 1; }
palettes=("$skins"/*.palette)
[ -e "${palettes[0]}" ] || { echo "make-skins.sh: no palette in $skins" >&2; exit 1; }

# --- Sizes of the frame, shared by every skin (pixels). The window's outline is
# one pixel wide; outside it a soft shadow fades out over SHADOW pixels at the
# sides and the bottom and over SHADOW_TOP above the title bar. Shadow pixels
# keep an opacity of at least SHADOW_FLOOR (out of 255, invisible) so that the
# whole border takes the mouse and can be dragged.
SHADOW=6 SHADOW_TOP=3 SHADOW_FLOOR=3
SIDE=$((SHADOW + 1))     # left and right border width, bottom border height
TITLE=32                 # title bar height in every state
RADIUS=8                 # the title bar's rounded corners (all four when rolled up)
END=16                   # width of the title bar's end pieces
FACE_ROW=$((SHADOW_TOP + 1))        # first row inside the outline
ROLLED_EDGE=$((TITLE - SHADOW - 1)) # the rolled-up bar's bottom outline row
# Title buttons: BUTTON x BUTTON images, a disc of diameter BUTTON - 2 in the
# middle. Close, Max and Min stand from the right end, Roll at the left end,
# each centred on the title bar's face (rows FACE_ROW .. TITLE - 2 when rolled
# down, above the line under the title; FACE_ROW .. ROLLED_EDGE - 1 rolled up).
BUTTON=19
BUTTON_Y=$(((FACE_ROW + TITLE - 2 + 1 - BUTTON) / 2))
ROLLED_BUTTON_Y=$(((FACE_ROW + ROLLED_EDGE - BUTTON + 1) / 2))
CLOSE_X=-35 MAX_X=-61 MIN_X=-87 ROLL_X=16

# PNG without the chunks that would differ between runs (time stamps, text).
png_opts=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt -define png:compression-level=9)

# rgb COLOUR: "R G B" in decimal from #rrggbb.
rgb() {
  awk -v c="$1" 'BEGIN {
    for (i = 0; i < 3; i++) {
      v = 0;
      for (k = 2 + 2 * i; k <= 3 + 2 * i; k++)
        v = v * 16 + index("0123456789abcdef", tolower(substr(c, k, 1))) - 1;
      printf "%s%d", (i ? " " : ""), v;
    }
    printf "\n";
  }'
}

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

# Shapes are drawn at S times their size without anti-aliasing, then scaled down
# by averaging S x S blocks: edges get their exact coverage, and shapes whose
# edges lie on whole pixels stay crisp.
S=8
# The pixels per unit of the images being drawn: 1 for NAME.png, 2 for the
# double-size NAME@2x.png. Every size and position below is in units.
K=1

# render W H FILE: draws the shapes read from stdin into a W x H RGBA PNG (of
# K times as many pixels each way).
# One shape per line, in units of the result, where unit i spans [i, i+1):
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
  mvg=$(awk -v S=$((S * K)) '
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
  convert -size "$((w * K * S))x$((h * K * S))" xc:none +antialias -draw "$mvg" \
    -scale "$((w * K))x$((h * K))!" "${png_opts[@]}" "PNG32:$file"
}

# shadow W H X0 Y0 X1 Y1 RTOP RBOTTOM COLOUR ALPHA FILE: a W x H PNG (in units,
# as render) of COLOUR
# whose opacity is the shadow of the rounded rectangle [X0, X1) x [Y0, Y1)
# (top corners of radius RTOP, bottom ones RBOTTOM): ALPHA inside and at its
# edge, fading to 0 at SHADOW pixels from it (SHADOW_TOP above it), never
# below SHADOW_FLOOR where it is not 0.
shadow() {
  local w=$1 h=$2 file=${11}
  awk -v w="$((w * K))" -v h="$((h * K))" -v k="$K" -v x0="$3" -v y0="$4" -v x1="$5" -v y1="$6" \
      -v rt="$7" -v rb="$8" -v a="${10}" -v s="$SHADOW" -v st="$SHADOW_TOP" -v floor="$SHADOW_FLOOR" 'BEGIN {
    cx = (x0 + x1) / 2; cy = (y0 + y1) / 2; hx = (x1 - x0) / 2; hy = (y1 - y0) / 2;
    printf "P2\n%d %d\n255\n", w, h;
    for (j = 0; j < h; j++) {
      for (i = 0; i < w; i++) {
        # The middle of the pixel, in units.
        px = (i + 0.5) / k; py = (j + 0.5) / k;
        # Above the shape distances count s / st times: a shorter shadow there.
        if (py < y0) py = y0 - (y0 - py) * s / st;
        r = (py < cy) ? rt : rb;
        qx = (px > cx ? px - cx : cx - px) - (hx - r);
        qy = (py > cy ? py - cy : cy - py) - (hy - r);
        ox = qx > 0 ? qx : 0; oy = qy > 0 ? qy : 0;
        d = sqrt(ox * ox + oy * oy) + (qx > qy ? (qx < 0 ? qx : 0) : (qy < 0 ? qy : 0)) - r;
        if (d <= 0) v = a;
        else if (d >= s) v = 0;
        else {
          t = 1 - d / s; v = int(a * t * t + 0.5);
          if (v < floor) v = floor;
        }
        printf "%d ", v;
      }
      printf "\n";
    }
  }' | convert -size "$((w * K))x$((h * K))" "xc:$9" pgm:- -alpha off -compose CopyOpacity -composite \
      "${png_opts[@]}" "PNG32:$file"
}

# ini FILE SECTION KEY DEFAULT: a value of a values.ini, names matched without
# regard to letter case, as the program reads them.
ini() {
  [ -r "$1" ] || { echo "$4"; return; }
  awk -v s="$2" -v k="$3" -v d="$4" '
    /^[ \t]*\[/ { sec = tolower($0); gsub(/^[ \t]*\[|\][ \t\r]*$/, "", sec); next }
    sec == tolower(s) && index($0, "=") {
      key = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", key);
      if (tolower(key) == tolower(k) && !found) {
        v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t\r]+$/, "", v); found = 1
      }
    }
    END { print found ? v : d }
  ' "$1"
}

# The frame's images with their state prefixes, and the title buttons' images.
title_images=() border_images=()
for p in "" inactive_ rolled_ rolled_inactive_; do
  title_images+=("${p}left_top.png" "${p}right_top.png" "${p}top.png")
done
for p in "" inactive_; do
  border_images+=("${p}left_middle.png" "${p}left_bottom.png" "${p}right_middle.png"
                  "${p}right_bottom.png" "${p}bottom.png")
done
button_images=(active_close.png mouseover_close.png inactive_close.png
               active_min.png mouseover_Min.png inactive_min.png
               active_max.png mouseover_Max.png inactive_max.png
               active_Roll.png mouseover_Roll.png inactive_Roll.png)

# The optional palette colours of values.ini [Colors], each with its key.
list_colours=(LIST_BACK LIST_TEXT LIST_SELECTED_BACK LIST_SELECTED_TEXT LIST_OFF_TEXT
              LIST_OFF_MARKER HEADER_BACK HEADER_TEXT PREVIEW_BACK PREVIEW_TEXT COUNT_TEXT
              COUNT_EDGE DETAILS_TEXT DETAILS_EDGE)
colour_keys=(ListBack ListText ListSelectedBack ListSelectedText ListOffText ListOffMarker
             HeaderBack HeaderText PreviewBack PreviewText CountText CountEdge DetailsText
             DetailsEdge)

# make_skin PALETTE OUT: draws the skin of PALETTE into the folder OUT. Run in a
# subshell: it reads the palette into shell variables.
make_skin() {
  local palette=$1 out=$2 name value
  # shellcheck source=/dev/null
  . "$palette"
  # Every colour must be given as #rrggbb; a typo stops here with its name.
  for name in BG ACCENT FACE_TOP FACE_BOTTOM EDGE FACE_MUTED EDGE_MUTED GLYPH_MUTED \
              TRACK_OFF TRACK_ON KNOB GLYPH FIELD_EDGE FIELD_GLYPH FIELD_SHINE CLEAR GRIP \
              FRAME_EDGE FRAME_EDGE_INACTIVE TITLE_TOP TITLE_BOTTOM TITLE_TOP_INACTIVE \
              TITLE_BOTTOM_INACTIVE TITLE_SHINE TITLE_RULE SHADOW_COLOUR CAPTION \
              BUTTON_GLYPH BUTTON_GLYPH_INACTIVE BUTTON_HOVER CLOSE_HOVER CLOSE_GLYPH_HOVER \
              ROLL_GLYPH_HOVER; do
    value=${!name:-}
    [[ $value =~ ^#[0-9a-fA-F]{6}$ ]] ||
      { echo "make-skins.sh: $palette: $name must be a colour like #3a7bd5, not '$value'" >&2; exit 1; }
  done
  # The colours of the lists, the preview and the texts on the bars are
  # optional: a palette without them keeps the program's built-in colours.
  for name in "${list_colours[@]}"; do
    value=${!name:-}
    [[ -z $value || $value =~ ^#[0-9a-fA-F]{6}$ ]] ||
      { echo "make-skins.sh: $palette: $name must be a colour like #3a7bd5, not '$value'" >&2; exit 1; }
  done
  for name in BG_GRAIN PRESS_DARKEN; do
    value=${!name:-}
    [[ $value =~ ^[0-9]{1,2}$ ]] ||
      { echo "make-skins.sh: $palette: $name must be a whole number from 0 to 99, not '$value'" >&2; exit 1; }
  done
  for name in SHADOW_ALPHA SHADOW_ALPHA_INACTIVE TITLE_OPACITY_INACTIVE CAPTION_SIZE CAPTION_STYLE; do
    value=${!name:-}
    [[ $value =~ ^[0-9]{1,3}$ ]] && [ "$value" -le 255 ] ||
      { echo "make-skins.sh: $palette: $name must be a whole number from 0 to 255, not '$value'" >&2; exit 1; }
  done
  for name in SKIN_NAME SKIN_AUTHOR SKIN_NOTES CAPTION_FONT; do
    value=${!name:-}
    [[ -n $value && $value != *[$'\n\r[]=']* ]] ||
      { echo "make-skins.sh: $palette: $name must be one line of text without [ ] =" >&2; exit 1; }
  done
  mkdir -p "$out"
  draw_client "$out"
  draw_frame "$out"
  draw_buttons "$out"
  # The same shapes at twice the pixels, each file named with "@2x".
  local twice=$tmp/twice-${out##*/} file
  rm -rf "$twice"
  mkdir -p "$twice"
  K=2
  draw_client "$twice"
  draw_frame "$twice"
  draw_buttons "$twice"
  K=1
  for file in "$twice"/*; do
    name=${file##*/}
    mv "$file" "$out/${name%.*}@2x.${name##*.}"
  done
  rm -rf "$twice"
  write_values "$out/values.ini"
}

# --- The client area's images.
draw_client() {
  local out=$1
  # --- Background: one base colour with a faint horizontal grain. Every column
  # is the same, so stretching it to any width changes nothing, and any band of
  # rows (the 34-pixel toolbar, a 29-pixel bar) looks like any other when it
  # repeats.
  local bg_w=16 bg_h=64
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
  }' | convert ppm:- $( ((K == 1)) || echo "-scale $((K * 100))%" ) -alpha off -type TrueColor \
    "BMP3:$out/bg.bmp"

  # --- Splitter grip. It is centred on the 1-pixel vertical splitters, where
  # only its middle column shows (three short dashes), and on the 6-pixel
  # horizontal one, where only its middle rows show (three short bars).
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

  # --- Add button, 20 x 18: a soft key with a plus in the accent colour.
  local pressed_top pressed_bottom
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

  # --- On/off switch, 28 x 18. "enable" offers to switch on and shows the
  # switch off (grey track, knob left); "disable" offers to switch off and shows
  # it on (accent track, knob right). Pressed: darker, the knob one pixel on its
  # way.
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

  # --- Search field. The bar is 185 wide; the field is drawn with its right
  # edge 5 pixels from the bar's end and its top at y 3, and the white edit box
  # lies at (44, 6), 113 x 18: the field is 154 wide, so the box starts 18
  # pixels into it, after the magnifier, and ends 23 pixels before its end,
  # before the clear button. 24 high: 23 of field and a light line under it.
  # The field stays white in every skin: the edit box on it is.
  render 154 24 "$out/searchbar.png" <<EOF
rrect 0 1 154 24 11.5 ${FIELD_SHINE}88
rrect 0 0 154 23 11.5 $FIELD_EDGE
rrect 1 1 153 22 10.5 #ffffff
rrect 1 1 153 22 10.5 ${FIELD_EDGE}38
rrect 1 2 153 22 10.5 #ffffff
EOF

  # The magnifier, drawn over the field's left end (same top-left corner).
  render 18 23 "$out/searchbar_menu.png" <<EOF
circle 9.5 10.5 3.75 1.5 $FIELD_GLYPH
line 12.4 13.4 15 16 2 $FIELD_GLYPH
EOF

  # The clear button: a white x on a grey disc, centred in the field's right end.
  render 23 23 "$out/searchbar_delete.png" <<EOF
disc 11.5 11.5 6.5 $CLEAR
line 9 9 14 14 1.5 #ffffff
line 14 9 9 14 1.5 #ffffff
EOF
}

# --- The frame. Each state's pieces are cut from one picture of a small window
# drawn whole (outline, title face, shadow), so that they meet without a seam:
# the title bar's ends and middle from its top rows, the side borders and the
# bottom border from its left, right and bottom edges. The middle pieces are
# cut where every column (title bar, bottom border) or every row (side
# borders) is the same, so stretching or repeating them changes nothing.
#
# frame_state OUT PREFIX ROLLED EDGE TITLE_TOP TITLE_BOTTOM SHADOW_ALPHA
frame_state() {
  local out=$1 prefix=$2 rolled=$3 edge=$4 top=$5 bottom=$6 alpha=$7
  local w=64 h x0=$SHADOW y0=$SHADOW_TOP x1 y1 rbottom mock=$tmp/mock
  x1=$((w - SHADOW))
  mkdir -p "$mock"
  if [ "$rolled" = 1 ]; then
    # Rolled up, the title bar is the whole window: rounded at all four corners,
    # its outline and shadow at the bottom of its own rows.
    h=$TITLE y1=$((ROLLED_EDGE + 1)) rbottom=$RADIUS
    render $w $h "$mock/shape.png" <<EOF
grad face $((y0 + 2)) $((y1 - 1)) $top $bottom
rrect $x0 $y0 $x1 $y1 $RADIUS $edge
rrect $((x0 + 1)) $((y0 + 1)) $((x1 - 1)) $((y1 - 1)) $((RADIUS - 1)) $TITLE_SHINE
rrect $((x0 + 1)) $((y0 + 2)) $((x1 - 1)) $((y1 - 1)) $((RADIUS - 1)) url(#face)
EOF
  else
    # The title bar over a client area 24 high, square at the bottom corners;
    # a line under the title separates it from the toolbar.
    h=$((TITLE + 24 + SIDE)) y1=$((h - SHADOW)) rbottom=0
    render $w $h "$mock/shape.png" <<EOF
grad face $((y0 + 2)) $((TITLE - 1)) $top $bottom
rrect $x0 $y0 $x1 $y1 $RADIUS $edge
rect $x0 $((y1 - RADIUS)) $x1 $y1 $edge
rrect $((x0 + 1)) $((y0 + 1)) $((x1 - 1)) $((y1 - 1)) $((RADIUS - 1)) $TITLE_SHINE
rrect $((x0 + 1)) $((y0 + 2)) $((x1 - 1)) $((y1 - 1)) $((RADIUS - 1)) url(#face)
rect $((x0 + 1)) $((TITLE - 1)) $((x1 - 1)) $TITLE $TITLE_RULE
EOF
  fi
  shadow $w $h $x0 $y0 $x1 $y1 $RADIUS $rbottom "$SHADOW_COLOUR" "$alpha" "$mock/shadow.png"
  convert "$mock/shadow.png" "$mock/shape.png" -compose Over -composite "PNG32:$mock/window.png"
  cut() { # FILE WIDTH HEIGHT X Y (units)
    convert "$mock/window.png" -crop "$(($2 * K))x$(($3 * K))+$(($4 * K))+$(($5 * K))" +repage \
      "${png_opts[@]}" "PNG32:$out/$1"
  }
  cut "${prefix}left_top.png" $END $TITLE 0 0
  cut "${prefix}top.png" 4 $TITLE $((w / 2 - 2)) 0
  cut "${prefix}right_top.png" $END $TITLE $((w - END)) 0
  if [ "$rolled" = 0 ]; then
    cut "${prefix}left_middle.png" $SIDE 4 0 $((TITLE + 10))
    cut "${prefix}left_bottom.png" $SIDE $SIDE 0 $((h - SIDE))
    cut "${prefix}right_middle.png" $SIDE 4 $((w - SIDE)) $((TITLE + 10))
    cut "${prefix}right_bottom.png" $SIDE $SIDE $((w - SIDE)) $((h - SIDE))
    cut "${prefix}bottom.png" 4 $SIDE $((w / 2 - 2)) $((h - SIDE))
  fi
  rm -rf "$mock"
}

draw_frame() {
  local out=$1
  frame_state "$out" "" 0 "$FRAME_EDGE" "$TITLE_TOP" "$TITLE_BOTTOM" "$SHADOW_ALPHA"
  frame_state "$out" inactive_ 0 "$FRAME_EDGE_INACTIVE" "$TITLE_TOP_INACTIVE" \
    "$TITLE_BOTTOM_INACTIVE" "$SHADOW_ALPHA_INACTIVE"
  frame_state "$out" rolled_ 1 "$FRAME_EDGE" "$TITLE_TOP" "$TITLE_BOTTOM" "$SHADOW_ALPHA"
  frame_state "$out" rolled_inactive_ 1 "$FRAME_EDGE_INACTIVE" "$TITLE_TOP_INACTIVE" \
    "$TITLE_BOTTOM_INACTIVE" "$SHADOW_ALPHA_INACTIVE"
}

# --- Title buttons: a line glyph centred in a BUTTON x BUTTON image. A button is
# hit only where its image is not transparent, so the normal images carry a
# disc of opacity 1 (out of 255, invisible) under the glyph: the whole disc
# takes the click. With
# the pointer over a button, Close shows a filled disc of its own colour and
# the others a light one.
draw_buttons() {
  local out=$1 c=$((BUTTON / 2)).5 r=$(((BUTTON - 2) / 2)).5
  glyph() { # KIND COLOUR: the glyph's shapes
    case $1 in
      close) printf 'line %s %s %s %s 1.25 %s\n' 6.5 6.5 12.5 12.5 "$2" 12.5 6.5 6.5 12.5 "$2" ;;
      min) printf 'rect 6 9 13 10 %s\n' "$2" ;;
      max) printf 'ring 6 6 13 13 0 1 %s\n' "$2" ;;
      roll) printf 'line %s %s %s %s 1.4 %s\n' 5.5 11.5 9.5 7.5 "$2" 9.5 7.5 13.5 11.5 "$2" ;;
    esac
  }
  button() { # FILE KIND DISC GLYPH
    { echo "disc $c $c $r $3"; glyph "$2" "$4"; } | render $BUTTON $BUTTON "$out/$1"
  }
  local kind file
  for kind in close min max roll; do
    case $kind in
      close) file=close ;; min) file=min ;; max) file=max ;; roll) file=Roll ;;
    esac
    button "active_$file.png" $kind "${BUTTON_GLYPH}01" "$BUTTON_GLYPH"
    button "inactive_$file.png" $kind "${BUTTON_GLYPH_INACTIVE}01" "$BUTTON_GLYPH_INACTIVE"
  done
  button mouseover_close.png close "$CLOSE_HOVER" "$CLOSE_GLYPH_HOVER"
  button mouseover_Min.png min "$BUTTON_HOVER" "$BUTTON_GLYPH"
  button mouseover_Max.png max "$BUTTON_HOVER" "$BUTTON_GLYPH"
  button mouseover_Roll.png roll "$BUTTON_HOVER" "$ROLL_GLYPH_HOVER"
}

# --- values.ini: written whole from the palette and the sizes above.
write_values() {
  local file=$1 bg caption
  bg=($(rgb "$BG")) caption=($(rgb "$CAPTION"))
  # The caption's rectangle covers the title bar's face, in percent of its
  # height; the text is centred in it.
  local y=$(((FACE_ROW * 100 + TITLE / 2) / TITLE))
  local height=$((((TITLE - 1 - FACE_ROW) * 100 + TITLE / 2) / TITLE))
  local rolled_height=$((((ROLLED_EDGE - FACE_ROW) * 100 + TITLE / 2) / TITLE))
  {
    printf '[general]\nname=%s\nauthor=%s\nnotes=%s\n\n' "$SKIN_NAME" "$SKIN_AUTHOR" "$SKIN_NOTES"
    printf '[bg]\nColorR=%d\nColorG=%d\nColorB=%d\n\n' "${bg[@]}"
    # Inactive sizes equal the active ones: the frame keeps its place when the
    # application is activated or deactivated.
    printf '[top]\nHeight=%d\nInActiveHeight=%d\nRolledUpHeight=%d\nRolledUpInActiveHeight=%d\n\n' \
      $TITLE $TITLE $TITLE $TITLE
    # Every column of a border, shadow included, resizes the window.
    printf '[left]\nWidth=%d\nInActiveWidth=%d\nResizeBorder1=-1\nResizeBorder2=%d\n\n' $SIDE $SIDE $SIDE
    printf '[right]\nWidth=%d\nInActiveWidth=%d\nResizeBorder1=-1\nResizeBorder2=%d\n' $SIDE $SIDE $SIDE
    # Its lowest 23 rows resize the width and the height together.
    printf 'ResizeBorder3=%d\nResizeBorder4=-1\n\n' 24
    printf '[bottom]\nHeight=%d\nInActiveHeight=%d\nResizeBorder1=-1\nResizeBorder2=%d\n\n' $SIDE $SIDE $SIDE
    printf '[Caption]\nFontName=%s\nFontSize=%d\nFontStyle=%d\nHorAlign=1\nVerAlign=1\n' \
      "$CAPTION_FONT" "$CAPTION_SIZE" "$CAPTION_STYLE"
    printf 'X=0\nY=%d\nWidth=100\nHeight=%d\n' $y $height
    printf 'InActiveX=0\nInActiveY=%d\nInActiveWidth=100\nInActiveHeight=%d\n' $y $height
    printf 'RolledUpX=0\nRolledUpY=%d\nRolledUpWidth=100\nRolledUpHeight=%d\n' $y $rolled_height
    printf 'RolledUpInActiveX=0\nRolledUpInActiveY=%d\nRolledUpInActiveWidth=100\nRolledUpInActiveHeight=%d\n' \
      $y $rolled_height
    printf 'ColorA=255\nColorR=%d\nColorG=%d\nColorB=%d\n' "${caption[@]}"
    printf 'AlphaActive=255\nAlphaInActive=%d\nText=NimbQuillbox\n\n' "$TITLE_OPACITY_INACTIVE"
    # Close, Max and Min from the right end, Roll from the left; rolled up, the
    # face is shorter and the buttons stand higher.
    printf '[Buttons]\n'
    local state key x align
    for state in "" InActive RolledUp RolledUpInActive; do
      for key in Close Min Max Roll; do
        case $key in
          Close) x=$CLOSE_X align=2 ;; Min) x=$MIN_X align=2 ;;
          Max) x=$MAX_X align=2 ;; Roll) x=$ROLL_X align=0 ;;
        esac
        printf '%s%sX=%d\n%s%sY=%d\n%s%sAlign=%d\n' "$state" $key "$x" "$state" $key \
          "$([[ $state == RolledUp* ]] && echo $ROLLED_BUTTON_Y || echo $BUTTON_Y)" "$state" $key $align
      done
    done
    # The colours the palette gives, in upper case as image editors write them.
    local i section= value
    for i in "${!list_colours[@]}"; do
      value=${!list_colours[$i]:-}
      [ -n "$value" ] || continue
      [ -n "$section" ] || { section=1; printf '\n[Colors]\n'; }
      printf '%s=%s\n' "${colour_keys[$i]}" "$(tr a-f A-F <<<"$value")"
    done
  } >"$file"
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

names=()
for palette in "${palettes[@]}"; do
  name=${palette##*/}; name=${name%.palette}
  names+=("$name")
  if [ -n "$check" ]; then
    # Draw into a scratch folder and compare it with the committed files below.
    ( make_skin "$palette" "$tmp/$name" )
  else
    ( make_skin "$palette" "$skins/$name" )
    echo "Wrote the $name skin to $skins/$name"
  fi
done

if [ -n "$check" ]; then
  failed=0
  fail() { echo "make-skins.sh --check: $*" >&2; failed=1; }
  alpha_at() { # FILE X Y: the pixel's alpha, 0 to 1 (1 when unreadable)
    convert "$1" -format "%[fx:p{$2,$3}.a]" info: 2>/dev/null || echo 1
  }
  size() { identify -format '%w %h\n' "$1" 2>/dev/null || echo "0 0"; }
  for name in "${names[@]}"; do
    skin=$skins/$name
    [ -d "$skin" ] || { fail "Skins/$name is missing (run scripts/make-skins.sh and commit)"; continue; }
    for f in "$tmp/$name"/*; do
      cmp -s "$f" "$skin/${f##*/}" ||
        fail "Skins/$name/${f##*/} differs from what Skins/$name.palette makes (run scripts/make-skins.sh and commit)"
    done
    for f in "$skin"/*; do
      [ -e "$tmp/$name/${f##*/}" ] ||
        fail "Skins/$name/${f##*/} is not made from the palette (a stale or misnamed file?)"
    done
    for f in "${title_images[@]}" "${border_images[@]}" "${button_images[@]}"; do
      [ -f "$skin/$f" ] || fail "Skins/$name/$f is missing"
    done
    # Every image has its double-size form, exactly twice as wide and high,
    # and every double-size image its 96-DPI one.
    for f in "$skin"/*.png "$skin"/*.bmp; do
      base=${f##*/}
      case $base in
        *@2x.*)
          [ -f "$skin/${base/@2x/}" ] || fail "Skins/$name/$base has no ${base/@2x/}" ;;
        *)
          twice=${base%.*}@2x.${base##*.}
          read -r w1 h1 < <(size "$f")
          read -r w2 h2 < <(size "$skin/$twice")
          [ "$w2" = $((2 * w1)) ] && [ "$h2" = $((2 * h1)) ] ||
            fail "Skins/$name/$twice is ${w2}x$h2, not twice $base (${w1}x$h1)" ;;
      esac
    done
    # The layout the client images are made for: the search bar (185 wide)
    # draws its field with the right edge 5 from its end at y 3, and the white
    # edit box at (44, 6), 113 x 18, must lie on the field's white; the clear
    # button must not reach under the box. Bar buttons sit at y 6 in a 29-pixel
    # bar and take their shape from their alpha, so their corners must be
    # transparent.
    read -r fw fh < <(size "$skin/searchbar.png")
    white=$(convert "$skin/searchbar.png" -crop "113x18+$((44 - (180 - fw)))+3" +repage \
      -format '%[fx:minima.r*minima.g*minima.b*minima.a]' info: 2>/dev/null || echo 0)
    [ "$fw" -ge 136 ] && [ "$fh" -ge 22 ] && [ "$white" = 1 ] ||
      fail "$name/searchbar.png (${fw}x$fh) does not put opaque white under the edit box at (44, 6), 113 x 18"
    read -r dw _ < <(size "$skin/searchbar_delete.png")
    [ "$dw" -gt 0 ] && [ $((180 - dw)) -ge 157 ] ||
      fail "$name/searchbar_delete.png ($dw wide) reaches under the edit box"
    for f in +norm.png +down.png +inactive.png enable_norm.png enable_down.png \
             disable_norm.png disable_down.png; do
      read -r bw bh < <(size "$skin/$f")
      [ "$bh" -gt 0 ] && [ "$bh" -le 23 ] && [ "$(alpha_at "$skin/$f" 0 0)" = 0 ] ||
        fail "$name/$f (${bw}x$bh) must be at most 23 high with a transparent corner"
    done
    # The frame: the title pieces as high as the title bar in their state, the
    # border pieces as wide (high) as their window, so that nothing is
    # squeezed; the outer corner pixel of every corner piece transparent, so
    # the window's corners are round or shadowed; the title buttons surrounded
    # by transparent pixels, so that a button is hit on its shape only.
    ini_file=$skin/values.ini
    for p in "" inactive_ rolled_ rolled_inactive_; do
      case $p in
        "") key=Height ;; inactive_) key=InActiveHeight ;;
        rolled_) key=RolledUpHeight ;; rolled_inactive_) key=RolledUpInActiveHeight ;;
      esac
      th=$(ini "$ini_file" top "$key" 0)
      for f in left_top.png top.png right_top.png; do
        read -r _ ih < <(size "$skin/$p$f")
        [ "$ih" = "$th" ] || fail "$name/$p$f is $ih high, the title bar ([top] $key) $th"
      done
      read -r lw _ < <(size "$skin/${p}left_top.png")
      read -r rw rh < <(size "$skin/${p}right_top.png")
      [ "$(alpha_at "$skin/${p}left_top.png" 0 0)" = 0 ] ||
        fail "$name/${p}left_top.png is not transparent at its top-left pixel"
      [ "$(alpha_at "$skin/${p}right_top.png" $((rw - 1)) 0)" = 0 ] ||
        fail "$name/${p}right_top.png is not transparent at its top-right pixel"
      if [[ $p == rolled* ]]; then
        [ "$(alpha_at "$skin/${p}left_top.png" 0 $((rh - 1)))" = 0 ] &&
          [ "$(alpha_at "$skin/${p}right_top.png" $((rw - 1)) $((rh - 1)))" = 0 ] ||
          fail "$name/${p}left_top.png or ${p}right_top.png is not transparent at its bottom outer pixel"
      fi
    done
    for p in "" inactive_; do
      for side in left right; do
        key=Width; [ -z "$p" ] || key=InActiveWidth
        bw=$(ini "$ini_file" $side $key 0)
        for f in ${side}_middle.png ${side}_bottom.png; do
          read -r iw _ < <(size "$skin/$p$f")
          [ "$iw" = "$bw" ] || fail "$name/$p$f is $iw wide, the $side border ([$side] $key) $bw"
        done
        read -r iw ih < <(size "$skin/$p${side}_bottom.png")
        x=0; [ $side = left ] || x=$((iw - 1))
        [ "$(alpha_at "$skin/$p${side}_bottom.png" $x $((ih - 1)))" = 0 ] ||
          fail "$name/$p${side}_bottom.png is not transparent at its bottom outer pixel"
      done
      key=Height; [ -z "$p" ] || key=InActiveHeight
      bh=$(ini "$ini_file" bottom $key 0)
      read -r _ ih < <(size "$skin/${p}bottom.png")
      [ "$ih" = "$bh" ] || fail "$name/${p}bottom.png is $ih high, the bottom border ([bottom] $key) $bh"
    done
    for f in "${button_images[@]}"; do
      read -r bw bh < <(size "$skin/$f")
      edge=$(convert "$skin/$f" -alpha extract -fill black \
        -draw "rectangle 1,1 $((bw - 2)),$((bh - 2))" -format '%[fx:maxima]' info: 2>/dev/null || echo 1)
      [ "$bw" -ge 3 ] && [ "$bh" -ge 3 ] && [ "$edge" = 0 ] ||
        fail "$name/$f (${bw}x$bh) must have transparent pixels all around its shape"
    done
  done
  [ "$failed" = 0 ] && echo "The skins ${names[*]} match their palettes and the window's layout."
  exit "$failed"
fi

[ -n "$preview" ] || exit 0
mkdir -p "$preview"
font=DejaVu-Sans

# client_preview SKIN FILE: the client images where the window puts them, in a
# 600 x 120 strip.
client_preview() {
  local out=$1 file=$2
  local pw=600 ph=120 tb=34 bar=29 bg_h
  bg_h=$(identify -format %h "$out/bg.bmp")
  # The background stretched to the width, repeated downward from the top of
  # the toolbar and again from the top of the pane area.
  convert "$out/bg.bmp" -resize "${pw}x${bg_h}!" "$tmp/bgrow.png"
  convert -size "${pw}x${tb}" "tile:$tmp/bgrow.png" "$tmp/toolbar.png"
  convert -size "${pw}x$((ph - tb))" "tile:$tmp/bgrow.png" "$tmp/panes.png"
  # The colours of values.ini [Colors], or the program's own (those of the
  # Windows scheme as a stand-in where it takes the scheme's).
  local v=$out/values.ini
  local list_back list_text sel_back sel_text header_back header_text preview_back preview_text
  local count_text count_edge
  list_back=$(ini "$v" Colors ListBack '#ffffff') list_text=$(ini "$v" Colors ListText '#000000')
  sel_back=$(ini "$v" Colors ListSelectedBack '#3399ff')
  sel_text=$(ini "$v" Colors ListSelectedText '#ffffff')
  header_back=$(ini "$v" Colors HeaderBack '') header_text=$(ini "$v" Colors HeaderText '#000000')
  preview_back=$(ini "$v" Colors PreviewBack '#ffffff')
  preview_text=$(ini "$v" Colors PreviewText '#000000')
  count_text=$(ini "$v" Colors CountText '#000000') count_edge=$(ini "$v" Colors CountEdge '#ffffff')
  # The pane header strip: the skin's face between two darker rows, or the
  # program's grey ramp.
  if [ -n "$header_back" ]; then
    convert -size 185x17 "xc:$header_back" -fill "$(darken "$header_back" 20)" \
      -draw 'rectangle 0,0 184,0' -draw 'rectangle 0,16 184,16' "$tmp/header.png"
  else
    convert xc:'#B5B5B5' xc:'#E7E7E7' xc:'#F2F2F2' xc:'#EFEFEF' xc:'#ECECEC' xc:'#E7E7E7' \
      xc:'#E4E4E4' xc:'#E0E0E0' xc:'#DFDFDF' xc:'#E0E0E0' xc:'#DCDCDC' xc:'#D1D1D1' \
      xc:'#D5D5D5' xc:'#DDDDDD' xc:'#E7E7E7' xc:'#F3F3F3' xc:'#F0F0F0' xc:'#B4B4B4' \
      -append -scale '185x17!' "$tmp/header.png"
  fi
  local sw dw addw
  sw=$(identify -format %w "$out/searchbar.png")
  dw=$(identify -format %w "$out/searchbar_delete.png")
  addw=$(identify -format %w "$out/+norm.png")
  local p10=$((pw - 185))
  local bar_top=$((ph - bar)) list_top=$((tb + 17))
  local split3=$((ph - 23 - 6)) # the details strip (23 high) under the horizontal splitter
  # Columns: 1-pixel margin, collections pane, splitter, fonts pane, splitter, preview.
  local c1=1 f1=$((1 + 185 + 1)) pv=$((1 + 185 + 1 + 185 + 1))
  local grip_y=$((tb + (ph - tb) / 2 - 6))
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
    -fill "$list_back" -draw "rectangle $c1,$list_top $((c1 + 184)),$((bar_top - 1))" \
    -draw "rectangle $f1,$list_top $((f1 + 184)),$((bar_top - 1))" \
    -fill "$preview_back" -draw "rectangle $pv,$tb $((pw - 1)),$((split3 - 1))" \
    -fill "$sel_back" -draw "rectangle $c1,$((list_top + 15)) $((c1 + 184)),$((list_top + 29))" \
    -pointsize 8.25 -fill "$header_text" \
    -annotate +$((c1 + 70))+$((tb + 12)) 'Collection' -annotate +$((f1 + 85))+$((tb + 12)) 'Font' \
    -fill "$list_text" -annotate +$((c1 + 10))+$((list_top + 11)) 'All Fonts' \
    -annotate +$((f1 + 10))+$((list_top + 11)) 'DejaVu Sans' \
    -annotate +$((f1 + 10))+$((list_top + 26)) 'DejaVu Sans Mono' \
    -pointsize 18 -fill "$preview_text" -annotate +$((pv + 10))+$((tb + 30)) 'The quick brown fox' \
    -pointsize 8.25 -fill "$sel_text" -annotate +$((c1 + 10))+$((list_top + 26)) 'Sans' \
    "$out/+norm.png" -geometry +$((c1 + 2))+$((bar_top + 6)) -composite \
    "$out/disable_norm.png" -geometry +$((c1 + 2 + addw + 4))+$((bar_top + 6)) -composite \
    "$out/+down.png" -geometry +$((f1 + 2))+$((bar_top + 6)) -composite \
    "$out/enable_norm.png" -geometry +$((f1 + 2 + addw + 4))+$((bar_top + 6)) -composite \
    -fill "$count_edge" -annotate +$((f1 + 185 - 20 - 38))+$((bar_top + 18)) '2 fonts' \
    -fill "$count_text" -annotate +$((f1 + 185 - 20 - 38))+$((bar_top + 17)) '2 fonts' \
    -alpha off "$file"
}

# --- The frame as the program composes it (images, values.ini), around a plain
# client area, on a desktop. The caption is drawn in DejaVu Sans as a stand-in.
#
# tile FILE W H OUT: FILE repeated in both directions over W x H from the top
# left corner, its alpha kept (ImageMagick's tile: would drop it).
tile() {
  convert -size "$2x$3" xc:none -tile "$1" -draw "color 0,0 reset" "$4"
}

# stretch_tile FILE W H OUT: FILE stretched to W wide at its own height and
# repeated downward to H rows.
stretch_tile() {
  local file=$1 w=$2 h=$3 result=$4 ih
  ih=$(identify -format %h "$file")
  if [ "$w" -le 0 ] || [ "$h" -le 0 ]; then convert -size 1x1 xc:none "$result"; return; fi
  convert "$file" -filter Box -resize "${w}x${ih}!" "$tmp/row.png"
  tile "$tmp/row.png" "$w" "$h" "$result"
}

# frame_window SKIN ACTIVE ROLLED HOVER CW CH OUT: the five windows of a client
# CW x CH in one picture (transparent outside), the title bar at the top left.
# HOVER: 0 none, 1 Close, 2 Min, 3 Max, 4 Roll.
frame_window() {
  local out=$1 active=$2 rolled=$3 hover=$4 cw=$5 ch=$6 file=$7 v=$1/values.ini
  local tp bp pre_state
  tp=""; [ "$active" = 1 ] || tp=inactive_; [ "$rolled" = 0 ] || tp=rolled_$tp
  bp=""; [ "$active" = 1 ] || bp=inactive_
  case $active$rolled in
    10) pre_state="" ;; 00) pre_state=InActive ;; 11) pre_state=RolledUp ;; 01) pre_state=RolledUpInActive ;;
  esac
  local lw rw bh th
  if [ "$active" = 1 ]; then
    lw=$(ini "$v" left Width 0) rw=$(ini "$v" right Width 0) bh=$(ini "$v" bottom Height 0)
  else
    lw=$(ini "$v" left InActiveWidth 0) rw=$(ini "$v" right InActiveWidth 0)
    bh=$(ini "$v" bottom InActiveHeight 0)
  fi
  th=$(ini "$v" top "${pre_state}Height" 0)
  local W=$((lw + cw + rw)) H
  H=$th; [ "$rolled" = 1 ] || H=$((th + ch + bh))
  # Title bar: the ends at their own width, the middle stretched over the gap.
  local l r
  l=$(identify -format %w "$out/${tp}left_top.png") r=$(identify -format %w "$out/${tp}right_top.png")
  stretch_tile "$out/${tp}top.png" $((W - l - r)) "$th" "$tmp/mid.png"
  convert -size "${W}x$th" xc:none \
    \( "$out/${tp}left_top.png" -filter Box -resize "${l}x${th}!" \) -geometry +0+0 -composite \
    \( "$out/${tp}right_top.png" -filter Box -resize "${r}x${th}!" \) -geometry +$((W - r))+0 -composite \
    "$tmp/mid.png" -geometry +$l+0 -composite "$tmp/title.png"
  # Caption: its rectangle in percent, the alignments as gravity.
  local font_size ha va cx cy cwid chei colour
  font_size=$(ini "$v" Caption FontSize 14)
  ha=$(ini "$v" Caption HorAlign 1) va=$(ini "$v" Caption VerAlign 2)
  caption_key() { # NAME DEFAULT: the caption value of this state with its fallbacks
    local k=$1 d=$2
    case $pre_state in
      RolledUpInActive) d=$(ini "$v" Caption RolledUp$k "$(ini "$v" Caption $k "$d")") ;;
      RolledUp|InActive) d=$(ini "$v" Caption $k "$d") ;;
    esac
    ini "$v" Caption "$pre_state$k" "$d"
  }
  cx=$(caption_key X 0) cy=$(caption_key Y 0) cwid=$(caption_key Width 100) chei=$(caption_key Height 100)
  colour=$(printf '#%02x%02x%02x' "$(ini "$v" Caption ColorR 255)" "$(ini "$v" Caption ColorG 255)" \
    "$(ini "$v" Caption ColorB 255)")
  # HorAlign 0, 1, 2 and VerAlign 0, 1, 2 as ImageMagick's gravity names.
  local horizontal=(West "" East) vertical=(North "" South)
  local gravity=${vertical[$va]:-}${horizontal[$ha]:-}
  [ -n "$gravity" ] || gravity=Center
  local rx=$((W * cx / 100)) ry=$((th * cy / 100)) rwid=$((W * cwid / 100)) rhei=$((th * chei / 100))
  convert -size "${rwid}x$rhei" xc:none -font "$font" -pointsize "$font_size" -fill "$colour" \
    -gravity "$gravity" -annotate +0+0 Quillbox "$tmp/caption.png"
  # Buttons: normal or pointer-over images while active, inactive ones else.
  local args=() b key img x y align anchor
  for b in 1 2 3 4; do
    case $b in
      1) key=Close img=close hov=mouseover_close.png ;; 2) key=Min img=min hov=mouseover_Min.png ;;
      3) key=Max img=max hov=mouseover_Max.png ;; 4) key=Roll img=Roll hov=mouseover_Roll.png ;;
    esac
    button_key() { # NAME: the button value of this state with its fallbacks
      local d
      d=$(ini "$v" Buttons "$key$1" 0)
      case $pre_state in
        RolledUpInActive) d=$(ini "$v" Buttons "InActive$key$1" "$d") ;;
      esac
      ini "$v" Buttons "$pre_state$key$1" "$d"
    }
    x=$(button_key X) y=$(button_key Y) align=$(button_key Align)
    case $align in 1) anchor=$((W / 2)) ;; 2) anchor=$W ;; *) anchor=0 ;; esac
    if [ "$active" = 0 ]; then img=inactive_$img.png
    elif { [ $b -lt 4 ] && [ "$hover" != 0 ]; } || [ "$hover" = 4 -a $b = 4 ]; then img=$hov
    else img=active_$img.png
    fi
    args+=("$out/$img" -geometry +$((anchor + x))+$y -composite)
  done
  local alpha
  if [ "$active" = 1 ]; then alpha=$(ini "$v" Caption AlphaActive 255); else alpha=$(ini "$v" Caption AlphaInActive 255); fi
  convert "$tmp/title.png" "$tmp/caption.png" -geometry +$rx+$ry -composite "${args[@]}" \
    -channel A -evaluate multiply "$(awk -v a="$alpha" 'BEGIN { printf "%.4f", a / 255 }')" +channel \
    "$tmp/title.png"
  convert -size "${W}x$H" xc:none "$tmp/title.png" -geometry +0+0 -composite "$file"
  [ "$rolled" = 0 ] || return 0
  # The side borders: the bottom piece at its own height, stretched to the
  # width; the middle piece repeated above it. The bottom border: stretched to
  # the client width, repeated downward.
  local side sw piece_h
  for side in left right; do
    sw=$lw; [ $side = left ] || sw=$rw
    piece_h=$(identify -format %h "$out/${bp}${side}_bottom.png")
    tile "$out/${bp}${side}_middle.png" "$sw" $((ch + bh - piece_h)) "$tmp/middle.png"
    convert "$tmp/middle.png" \
      \( "$out/${bp}${side}_bottom.png" -filter Box -resize "${sw}x${piece_h}!" \) -append \
      "$tmp/$side.png"
  done
  stretch_tile "$out/${bp}bottom.png" "$cw" "$bh" "$tmp/bottom.png"
  # The client: the skin's background colour with the trash can, as a stand-in.
  local bgc
  bgc=$(printf '#%02x%02x%02x' "$(ini "$v" bg ColorR 255)" "$(ini "$v" bg ColorG 255)" "$(ini "$v" bg ColorB 255)")
  convert "$file" \
    -fill "$bgc" -draw "rectangle $lw,$th $((lw + cw - 1)),$((th + ch - 1))" \
    "$tmp/left.png" -geometry +0+$th -composite \
    "$tmp/right.png" -geometry +$((lw + cw))+$th -composite \
    "$tmp/bottom.png" -geometry +$lw+$((th + ch)) -composite \
    "$out/trash.png" -geometry +$lw+$th -composite \
    "$file"
}

frame_preview() {
  local out=$1 file=$2
  # A desktop of two soft tones, so that the shadows show.
  convert -size 640x360 gradient:'#aab6c3'-'#5f6e80' "$tmp/desk.png"
  frame_window "$out" 1 0 0 286 170 "$tmp/a.png"
  frame_window "$out" 0 0 0 286 170 "$tmp/b.png"
  frame_window "$out" 1 1 1 286 0 "$tmp/c.png"
  frame_window "$out" 0 1 0 286 0 "$tmp/d.png"
  frame_window "$out" 1 1 4 286 0 "$tmp/e.png"
  frame_window "$out" 1 0 2 286 20 "$tmp/f.png"
  convert "$tmp/desk.png" \
    "$tmp/a.png" -geometry +12+8 -composite \
    "$tmp/b.png" -geometry +328+8 -composite \
    "$tmp/c.png" -geometry +12+236 -composite \
    "$tmp/d.png" -geometry +328+236 -composite \
    "$tmp/e.png" -geometry +12+276 -composite \
    \( "$tmp/f.png" -crop 300x32+0+0 +repage \) -geometry +328+276 -composite \
    -font "$font" -pointsize 10 -fill '#ffffff' \
    -annotate +16+330 'Top: active, inactive. Rolled up: pointer over Close, over Roll (left); inactive (right).' \
    -annotate +16+346 'Last: the title bar with the pointer over Min (Close, Min and Max light up together).' \
    -alpha off "$file"
}

for name in "${names[@]}"; do
  client_preview "$skins/$name" "$preview/$name-client.png"
  frame_preview "$skins/$name" "$preview/$name-frame.png"
  echo "Wrote the previews $preview/$name-client.png and $preview/$name-frame.png"
done
