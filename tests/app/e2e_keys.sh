#!/usr/bin/env bash
# NimbQuillbox.exe driven with the mouse and the keyboard as a user would,
# under Wine on the display that scripts/test.sh provides: three fonts of a
# collection selected with a click and a Shift+click, switched on together
# with Space (read back from the registry), one of them clicked alone and
# sent to the trash with Delete and Yes to the question.
# Usage: e2e_keys.sh EXE DLL PROBE WINE_RUN WINEPREFIX WORK_DIR
set -euo pipefail
exe=$1 dll=$2 probe=$3 wine_run=$4 prefix=$5 work=$6

. "$(dirname "${BASH_SOURCE[0]}")/../tools/probe.sh"
skip_without_display e2e_keys

fonts="$prefix/drive_c/windows/Fonts"
collection="e2e Keys"
names=("DejaVu Sans" "DejaVu Sans Bold" "DejaVu Serif")
files=(DejaVuSans.ttf DejaVuSans-Bold.ttf DejaVuSerif.ttf)
program_pid=
declare -A saved=()
# Where the trashed font came from, as the trash's info file writes it.
trashed_origin="$(printf %s "$prefix" | sed 's/ /%20/g')/dosdevices/c:/windows/Fonts/e2e%20Keys/DejaVuSans-Bold.ttf"

fail() { echo "e2e_keys: FAIL: $*" >&2; exit 1; }

cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$fonts/$collection"
  untrash_from "$trashed_origin"
  # Wine registers the host's fonts under these names: their values come back.
  local name
  for name in "${!saved[@]}"; do
    if [ -n "${saved[$name]}" ]; then
      probe setfontvalue "$name" "${saved[$name]}" || true
    else
      probe setfontvalue "$name" || true
    fi
  done
}
trap cleanup EXIT

rm -rf "$work"
mkdir -p "$work" "$fonts/$collection"
cp "$exe" "$dll" "$work/"
for file in "${files[@]}"; do
  cp "/usr/share/fonts/truetype/dejavu/$file" "$fonts/$collection/"
done
# The names are free for the collection's copies while the test runs.
for name in "${names[@]}"; do
  saved[$name]=$(probe fontvalue "$name")
  probe setfontvalue "$name"
done

"$wine_run" "$work/NimbQuillbox.exe" </dev/null >"$work/wine.log" 2>&1 &
program_pid=$!
probe wait 30000 >/dev/null || fail "no NimbQuillbox window"

row=$(probe rows lbFolders | grep -nxF "$collection" | cut -d: -f1) || fail "no '$collection' row"
read -r x y < <(probe rowpos lbFolders $((row - 1)))
xdotool mousemove "$x" "$y" click 1
expect_probe "DejaVu Sans
DejaVu Sans Bold
DejaVu Serif" rows lbFonts

# A click on the first font and a Shift+click on the last select all three.
read -r x0 y0 < <(probe rowpos lbFonts 0)
read -r x2 y2 < <(probe rowpos lbFonts 2)
xdotool mousemove "$x0" "$y0" click 1
sleep 0.3
xdotool mousemove "$x2" "$y2" keydown shift click 1 keyup shift
expect_probe "DejaVu Sans
DejaVu Sans Bold
DejaVu Serif" selected lbFonts

# Space switches the three on: each value names its file in the collection.
xdotool key space
folder='C:\windows\fonts\e2e Keys\'
for i in 0 1 2; do
  value=
  for _ in $(seq 50); do
    value=$(probe fontvalue "${names[$i]}")
    [ -n "$value" ] && break
    sleep 0.2
  done
  [ "${value,,}" = "${folder,,}${files[$i],,}" ] || fail "'${names[$i]}' is registered as '$value'"
done

# A click on the middle font selects it alone; Delete asks, Return answers Yes.
read -r x1 y1 < <(probe rowpos lbFonts 1)
xdotool mousemove "$x1" "$y1" click 1
expect_probe "DejaVu Sans Bold" selected lbFonts
# No record of an earlier run is taken for this one's.
untrash_from "$trashed_origin"
xdotool key Delete
question=$(probe dlgtext "Move to trash" 10000) || fail "no 'Move to trash' question"
[ "$question" = "Are you sure you want move the font DejaVu Sans Bold to the trash?" ] ||
  fail "the question was: $question"
box=$(xdotool search --name "^Move to trash$" 2>/dev/null | head -n1)
xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
for _ in $(seq 50); do [ -f "$fonts/$collection/DejaVuSans-Bold.ttf" ] || break; sleep 0.2; done
[ -f "$fonts/$collection/DejaVuSans-Bold.ttf" ] && fail "the trashed font is still in its collection"
[ -n "$(trashed_from "$trashed_origin")" ] || fail "the trashed font is not in the trash"
# Out of the trash again.
untrash_from "$trashed_origin"
expect_probe "" fontvalue "DejaVu Sans Bold"
expect_probe "DejaVu Sans
DejaVu Serif" rows lbFonts
[ -n "$(probe fontvalue "DejaVu Sans")" ] || fail "the other fonts were switched off too"

import -window root "$work/e2e_keys.png" 2>/dev/null || true
probe close 20000 || fail "the window did not close"
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
program_pid=
echo "e2e_keys: passed"
