#!/usr/bin/env bash
# The portable zip as a user gets it, under Wine on the display that
# scripts/test.sh provides: unpacked into an empty folder, NimbQuillbox.exe
# started from there, a collection listed, the Dark skin chosen from the title
# bar's skin menu, the window closed. Only the program's own files may then
# have been written in that folder, and the settings name the Dark skin.
# Usage: zip_program.sh ZIP PROBE WINE_RUN WINEPREFIX WORK_DIR
set -euo pipefail
zip=$1 probe=$2 wine_run=$3 prefix=$4 work=$5

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null || ! command -v unzip >/dev/null; then
  echo "zip_program: no display, xdotool or unzip; skipped"
  exit 77
fi

fonts="$prefix/drive_c/windows/Fonts"
collection="zip Sans"
program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  rm -rf "${fonts:?}/$collection"
}
trap cleanup EXIT

fail() {
  echo "zip_program: FAIL: $*" >&2
  import -window root "$work/failure.png" 2>/dev/null && echo "screen: $work/failure.png" >&2
  exit 1
}
. "$(dirname "${BASH_SOURCE[0]}")/../tools/probe.sh"
# Red + green + blue of a screen pixel.
brightness() {
  import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | awk '{print $1 + $2 + $3}'
}
# Every file and folder under the program's folder, with a checksum per file.
listing() {
  (cd "$folder" && find . -type d | sort | sed 's/^/dir /' &&
    find . -type f -print0 | sort -z | xargs -0 sha256sum)
}

# Unpacked into an empty folder: one folder, the program's.
rm -rf "$work"
mkdir -p "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked" || fail "cannot unpack $zip"
entries=("$work/unpacked"/*)
[ ${#entries[@]} -eq 1 ] && [ -d "${entries[0]}" ] || fail "the zip does not hold one folder"
folder=${entries[0]}
[ -f "$folder/NimbQuillbox.exe" ] || fail "no NimbQuillbox.exe at the top of $(basename "$folder")"
listing >"$work/before.txt"
echo "unpacked: $folder"

mkdir -p "$fonts/$collection"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/$collection/"

"$wine_run" "$folder/NimbQuillbox.exe" </dev/null >"$work/wine.log" 2>&1 &
program_pid=$!
geometry=$(probe wait 30000) || fail "no NimbQuillbox window (see $work/wine.log)"
echo "window at: $geometry"

# A collection, listed by a click on its row.
folders=$(probe rows lbFolders)
row=$(echo "$folders" | grep -nxF "$collection" | cut -d: -f1) || fail "no '$collection' row: $folders"
# A program that has just started in a fresh Wine prefix may still be busy
# when the click comes; the click is repeated if nothing is listed.
read -r x y < <(probe rowpos lbFolders $((row - 1)))
for attempt in 1 2 3; do
  xdotool mousemove "$x" "$y" click 1
  for _ in $(seq 25); do
    [ "$(probe rows lbFonts || true)" = "DejaVu Sans" ] && break 2
    sleep 0.2
  done
  echo "no fonts listed after click $attempt on the collection"
done
expect_probe "DejaVu Sans" rows lbFonts

# The skin menu: a right click on the title bar, left of its right-hand buttons
# and right of the Roll button. The items are the folders of Skins in the order
# Windows lists them; Dark is chosen with the keyboard.
read -r tx ty tw th < <(probe winrect TfrmTop) || fail "no title bar (window class TfrmTop)"
px=$((tx + 60)) py=$((ty + th / 2))
[ "$tw" -gt 160 ] || fail "title bar only $tw pixels wide"
sleep 0.5 # painted
before=$(brightness "$px" "$py")
skins=$(probe skins "Z:$(printf '%s' "$folder/Skins" | tr / '\\')")
dark=$(echo "$skins" | grep -nxF Dark | cut -d: -f1) || fail "no Dark skin in the folder: $skins"
xdotool mousemove "$px" "$py" click 3
probe winrect "#32768" 10000 >/dev/null || fail "no skin menu after a right click on the title bar"
sleep 0.3
for _ in $(seq "$dark"); do xdotool key Down; sleep 0.1; done
xdotool key Return

# The new skin's information box, closed with Return.
info=$(probe dlgtext "Skin Info" 10000) || fail "no Skin Info box after choosing Dark"
echo "Skin Info: $(echo "$info" | tr '\n' '|')"
echo "$info" | grep -qx "Dark by the NimbQuillbox authors" || fail "the Skin Info box is not the Dark skin's"
box=$(xdotool search --name "^Skin Info$" 2>/dev/null | head -n1) || true
if [ -n "$box" ]; then
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
else
  xdotool key Return
fi
for _ in $(seq 50); do
  probe dlgtext "Skin Info" 0 >/dev/null || break
  sleep 0.2
done
probe dlgtext "Skin Info" 0 >/dev/null && fail "the Skin Info box did not close"

# The title bar is drawn from the Dark skin now.
sleep 0.5
after=$(brightness "$px" "$py")
echo "title bar brightness (R+G+B) at $px,$py: $before before, $after after"
[ -n "$before" ] && [ -n "$after" ] || fail "no screen pixels"
[ "$after" -lt $((before - 150)) ] || fail "the title bar did not turn dark"
import -window root "$work/zip-program.png" 2>/dev/null || true

probe close 20000 || fail "the window did not close"
wait_for_exit "$program_pid" "the program is still running after its window closed"
program_pid=

# Only the program's own files are new in its folder, and nothing else changed.
listing >"$work/after.txt"
changes=$(diff "$work/before.txt" "$work/after.txt" | grep '^[<>]' || true)
expected_changes=$(printf '%s\n' "> NimbQuillbox.cache" "> NimbQuillbox.ini" "> NimbQuillbox.txt")
got_changes=$(echo "$changes" | sed -E 's/^> [0-9a-f]{64} +\.\//> /')
[ "$got_changes" = "$expected_changes" ] || fail "the folder changed otherwise:
$changes"
ini=$(tr -d '\r' <"$folder/NimbQuillbox.ini")
skin_dir=$(echo "$ini" | awk '/^\[/ { section = $0; next } section == "[Skin]" && /^Dir=/ { sub(/^Dir=/, ""); print }')
[ "$skin_dir" = 'Skins\Dark' ] || fail "[Skin] Dir is '$skin_dir', not Skins\\Dark"
echo "zip_program: passed"
