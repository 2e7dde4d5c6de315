#!/usr/bin/env bash
# Builds NimbQuillbox (x86_64) and starts it under Wine.
# With a display (DISPLAY set) it runs there until you close it. Without one it
# runs under a private Xvfb, saves a screenshot of its frame (the client window
# and the four edge windows), and closes it.
# NQ_DPI=144 runs it at a display scale of 150 % (a Wine prefix of that scale,
# build/wineprefix-dpi144); the screenshot's name then ends in "-dpi144".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NQ_BUILD:-$root/build}
tree=$build/x86_64
stage=$build/run
export NQ_DPI=${NQ_DPI:-96}
prefix=$build/wineprefix suffix=
if [ "$NQ_DPI" != 96 ]; then
  prefix=$build/wineprefix-dpi$NQ_DPI suffix=-dpi$NQ_DPI
fi

bash "$root/scripts/deps.sh"

cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DNQ_WINEPREFIX="$build/wineprefix" >/dev/null
cmake --build "$tree" -j "$(nproc)" --target NimbQuillbox glyphscan nq_probe

# The program with its DLL and skins in a folder of its own; its settings and
# sample text files are kept there from one run to the next.
mkdir -p "$stage"
cp "$tree/app/NimbQuillbox.exe" "$tree/glyphscan/glyphscan.dll" "$stage/"
cp -r "$root/Skins" "$stage/"

. "$root/scripts/display.sh"
own_display=
cleanup() {
  nq_stop_wine
  [ -n "$own_display" ] && nq_stop_display
  return 0
}
trap cleanup EXIT

if [ -n "${DISPLAY:-}" ]; then
  nq_warm_wine "$prefix" x86_64 "$NQ_DPI"
  echo "Starting NimbQuillbox on display $DISPLAY (close its window to end)."
  "$tree/wine-run.sh" "$stage/NimbQuillbox.exe"
  exit 0
fi

own_display=1
nq_start_display
nq_warm_wine "$prefix" x86_64 "$NQ_DPI"
echo "No display: running NimbQuillbox under Xvfb on $DISPLAY."
"$tree/wine-run.sh" "$stage/NimbQuillbox.exe" </dev/null >"$stage/wine.log" 2>&1 &
program=$!
probe() { "$tree/wine-run.sh" "$tree/tests/tools/nq_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

if ! geometry=$(probe wait 30000); then
  echo "NimbQuillbox did not show its window; see $stage/wine.log" >&2
  exit 1
fi
sleep 1 # let it paint
# The whole frame: the client window and its four edge windows, cropped to
# the rectangle that holds them all (an edge of no size adds nothing).
read -r left top w h <<<"$geometry"
right=$((left + w)) bottom=$((top + h))
for class in TfrmTop TfrmLeft TfrmRight TfrmBottom; do
  read -r ex ey ew eh <<<"$(probe winrect "$class" 3000 || echo 0 0 0 0)"
  [ "${ew:-0}" -gt 0 ] && [ "${eh:-0}" -gt 0 ] || continue
  ((ex < left)) && left=$ex
  ((ey < top)) && top=$ey
  ((ex + ew > right)) && right=$((ex + ew))
  ((ey + eh > bottom)) && bottom=$((ey + eh))
done
shot=$stage/NimbQuillbox-screenshot$suffix.png
import -window root -crop "$(printf '%dx%d%+d%+d' $((right - left)) $((bottom - top)) "$left" "$top")" \
  +repage "$shot"
echo "Screenshot of the frame: $shot"

# A window-close request, as the user's close would send: the program writes
# its settings and sample text files and ends.
probe close 20000 || echo "The window did not close in time." >&2
for _ in $(seq 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
  echo "NimbQuillbox is still running; stopping it." >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi
echo "NimbQuillbox closed; settings in $stage/NimbQuillbox.ini"
