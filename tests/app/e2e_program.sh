#!/usr/bin/env bash
# NimbQuillbox.exe as a user runs it, under Wine on the display that
# scripts/test.sh provides: collections laid out in the prefix's
# C:\windows\Fonts, a click on a collection, a search typed into the box, a
# font dragged onto another collection, one dragged onto the trash with Yes to
# the question, a window-close request, and the settings file written at exit.
# Usage: e2e_program.sh EXE DLL PROBE WINE_RUN WINEPREFIX WORK_DIR
set -euo pipefail
exe=$1 dll=$2 probe=$3 wine_run=$4 prefix=$5 work=$6

. "$(dirname "${BASH_SOURCE[0]}")/../tools/probe.sh"
skip_without_display e2e_program

fonts="$prefix/drive_c/windows/Fonts"
sans="e2e Sans"
serif="e2e Serif"
root_font="$fonts/e2e-root-mono.ttf"
# Where the trashed font came from, as the trash's info file writes it.
trashed_origin="$(printf %s "$prefix" | sed 's/ /%20/g')/dosdevices/c:/windows/Fonts/e2e%20Sans/DejaVuSans.ttf"
program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$fonts/$sans" "$fonts/$serif" "$root_font"
  untrash_from "$trashed_origin"
}
trap cleanup EXIT

fail() { echo "e2e_program: FAIL: $*" >&2; exit 1; }

# The program in a folder of its own: its settings and sample text files
# are written beside it.
rm -rf "$work"
mkdir -p "$work"
cp "$exe" "$dll" "$work/"

mkdir -p "$fonts/$sans" "$fonts/$serif"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/$sans/"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$fonts/$sans/"
cp /usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf "$fonts/$serif/"
: > "$fonts/$serif/disabled.txt"
cp /usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf "$root_font"

"$wine_run" "$work/NimbQuillbox.exe" </dev/null >"$work/wine.log" 2>&1 &
program_pid=$!

geometry=$(probe wait 30000) || fail "no NimbQuillbox window"
echo "window at: $geometry"

# The collections: "All Fonts" first, ours with their off flags.
folders=$(probe rows lbFolders)
flags=$(probe data lbFolders)
[ "$(echo "$folders" | head -n1)" = "All Fonts" ] || fail "row 0 is not All Fonts: $folders"
sans_row=$(echo "$folders" | grep -nxF "$sans" | cut -d: -f1) || fail "no '$sans' row: $folders"
serif_row=$(echo "$folders" | grep -nxF "$serif" | cut -d: -f1) || fail "no '$serif' row"
[ "$(echo "$flags" | sed -n "${sans_row}p")" = 0 ] || fail "'$sans' shown as off"
[ "$(echo "$flags" | sed -n "${serif_row}p")" = 1 ] || fail "'$serif' not shown as off"

# A click on "All Fonts" lists the root's own font, then one on the collection
# lists its fonts.
read -r x y < <(probe rowpos lbFolders 0)
xdotool mousemove "$x" "$y" click 1
expect_probe "Liberation Mono" rows lbFonts
read -r x y < <(probe rowpos lbFolders $((sans_row - 1)))
xdotool mousemove "$x" "$y" click 1
expect_probe "DejaVu Sans
DejaVu Sans Bold" rows lbFonts

# Typing into the search box narrows the list.
read -r x y < <(probe ctlpos editSearch)
xdotool mousemove "$x" "$y" click 1
sleep 0.3
xdotool type --delay 50 "bold"
expect_probe "bold" text editSearch
expect_probe "DejaVu Sans Bold" rows lbFonts

# Drags a row with the mouse, in small steps past the drag threshold: drag X Y TO_X TO_Y
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mousemove "$(( $1 + 3 ))" "$(( $2 + 3 ))"; sleep 0.1
  xdotool mousemove "$(( ($1 + $3) / 2 ))" "$(( ($2 + $4) / 2 ))"; sleep 0.1
  xdotool mousemove "$3" "$4"; sleep 0.2
  xdotool mouseup 1
}

# The filtered row dragged onto the other collection moves its file there.
read -r fx fy < <(probe rowpos lbFonts 0)
read -r tx ty < <(probe rowpos lbFolders $((serif_row - 1)))
drag "$fx" "$fy" "$tx" "$ty"
# The move copies the file, then deletes the original: wait for both.
for _ in $(seq 50); do
  [ -f "$fonts/$serif/DejaVuSans-Bold.ttf" ] && [ ! -f "$fonts/$sans/DejaVuSans-Bold.ttf" ] && break
  sleep 0.2
done
[ -f "$fonts/$serif/DejaVuSans-Bold.ttf" ] || fail "the dragged font did not move"
[ -f "$fonts/$sans/DejaVuSans-Bold.ttf" ] && fail "the moved font is still in its old collection"
expect_probe "" rows lbFonts

# The trash: the other font dragged onto the toolbar's left end, Yes to the question.
read -r x y < <(probe ctlpos editSearch)
xdotool mousemove "$x" "$y" click --repeat 2 1 key ctrl+a BackSpace
expect_probe "DejaVu Sans" rows lbFonts
untrash_from "$trashed_origin"
read -r fx fy < <(probe rowpos lbFonts 0)
read -r tx ty < <(probe ctlpos Toolbar 10 10)
drag "$fx" "$fy" "$tx" "$ty"
question=
for _ in $(seq 50); do
  question=$(xdotool search --name "^Move to trash$" 2>/dev/null | head -n1) && [ -n "$question" ] && break
  sleep 0.2
done
[ -n "$question" ] || fail "no 'Move to trash' question"
xdotool windowactivate --sync "$question" key Return 2>/dev/null || xdotool key Return
for _ in $(seq 50); do [ -f "$fonts/$sans/DejaVuSans.ttf" ] || break; sleep 0.2; done
[ -f "$fonts/$sans/DejaVuSans.ttf" ] && fail "the trashed font is still in its collection"
[ -n "$(trashed_from "$trashed_origin")" ] || fail "the trashed font is not in the trash"
expect_probe "" rows lbFonts
read -r x y < <(probe ctlpos editSearch)
xdotool mousemove "$x" "$y" click 1
sleep 0.3
xdotool type --delay 50 "bold"
expect_probe "bold" text editSearch

import -window root "$work/e2e.png" 2>/dev/null || true

# A window-close request ends the program, which writes its files.
probe close 20000 || fail "the window did not close"
wait_for_exit "$program_pid" "the program is still running after its window closed"
program_pid=

ini="$work/NimbQuillbox.ini"
[ -f "$ini" ] || fail "no settings file"
layout=$(tr -d '\r' <"$ini" | sed -n 's/^\(\[[^]]*\]\)$/\1/p; s/^\([^=[]*\)=.*$/\1/p' | tr '\n' ' ')
expected="[Placement] X Y Width Height [Skin] Dir [Buttons] Dir [Sizes] CollectionsPane FontsPane DetailsPane [Other] Size Search [Library] Scope "
[ "$layout" = "$expected" ] || fail "settings file keys: $layout"
grep -qx "Search=bold" < <(tr -d '\r' <"$ini") || fail "search text not saved"
grep -qx "Size=32" < <(tr -d '\r' <"$ini") || fail "size not saved"
[ -f "$work/NimbQuillbox.txt" ] || fail "no sample text file"
echo "e2e_program: passed"
