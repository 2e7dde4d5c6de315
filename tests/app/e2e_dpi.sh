#!/usr/bin/env bash
# NimbQuillbox at 100 % and at 150 % as a check from outside sees it: the
# program started in the build's prefix (96 DPI) and in one whose display scale
# is 144 DPI (NQ_DPI=144, wine-run.sh), each with the same settings but its
# window's bounds in screen pixels one and a half times as large at 150 %. Every
# control inside the client window and the four edge windows stand where the
# 96-DPI run times 1.5 puts them, within a pixel; a first start (no bounds
# saved) takes the default bounds times 1.5; the settings written at 150 % keep
# the pane sizes at 96 DPI and the bounds in screen pixels. A screenshot of the
# frame with each shipped skin at 150 % is left in WORK_DIR.
# Usage: e2e_dpi.sh EXE DLL PROBE WINE_RUN WORK_DIR
set -euo pipefail
exe=$1 dll=$2 probe=$3 wine_run=$4 work=$5

if [ -z "${DISPLAY:-}" ] || ! command -v import >/dev/null; then
  echo "e2e_dpi: no display or no ImageMagick; skipped"
  exit 77
fi

fail() { echo "e2e_dpi: FAIL: $*" >&2; exit 1; }
. "$(dirname "${BASH_SOURCE[0]}")/../tools/probe.sh"

program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

rm -rf "$work"
mkdir -p "$work"

# run DPI NAME SETTINGS: starts the program at DPI in a folder of its own with
# that settings file, writes what the probe sees to NAME.controls and
# NAME.frame (and at 144 DPI a screenshot of the frame, NAME.png), and closes
# it the normal way. The folder's settings file is then NAME/NimbQuillbox.ini.
run() {
  local dpi=$1 name=$2 settings=$3 folder=$work/$2
  mkdir -p "$folder"
  cp "$exe" "$dll" "$folder/"
  cp -r "$(dirname "$exe")/Skins" "$folder/"
  printf '%b' "$settings" >"$folder/NimbQuillbox.ini"
  export NQ_DPI=$dpi
  "$wine_run" "$folder/NimbQuillbox.exe" </dev/null >"$folder/wine.log" 2>&1 &
  program_pid=$!
  probe wait 30000 >/dev/null || fail "$name: no NimbQuillbox window"
  sleep 1 # its first paint
  # The size box's own edit field (1001) is placed by the combo box, inside a
  # frame whose width is the system's: under Wine it does not grow with the
  # DPI. The size box itself is compared.
  probe controls | awk '$1 != 1001' | sort -n >"$work/$name.controls"
  probe frame | head -n 5 >"$work/$name.frame"
  if [ "$dpi" != 96 ]; then
    # The frame's outer rectangle: the title bar's left and top, the right
    # border's right and the bottom of the side borders.
    local x y rx ry rw rh
    read -r _ x y _ < <(grep '^TfrmTop' "$work/$name.frame")
    read -r _ rx ry rw rh _ < <(grep '^TfrmRight' "$work/$name.frame")
    import -window root -crop "$((rx + rw - x))x$((ry + rh - y))+$x+$y" +repage \
      "$work/$name.png" 2>/dev/null || fail "$name: no screenshot"
  fi
  probe close 20000 >/dev/null || fail "$name: the window did not close"
  wait_for_exit "$program_pid" "$name: the program still runs after its window closed"
  program_pid=
  unset NQ_DPI
}

# same_times_one_and_a_half AT96 AT144 WHAT: each line "KEY X Y W H ..." of
# AT144 has the edges of AT96's line of that key times 1.5, within a pixel.
same_times_one_and_a_half() {
  awk -v what="$3" '
    NR == FNR { x[$1] = $2; y[$1] = $3; w[$1] = $4; h[$1] = $5; next }
    function off(got, want) { d = got - 1.5 * want; return d > 1 || d < -1 }
    {
      if (!($1 in x)) { print what " " $1 ": not there at 96 DPI"; bad = 1; next }
      seen[$1] = 1
      if (off($2, x[$1]) || off($3, y[$1]) || off($2 + $4, x[$1] + w[$1]) ||
          off($3 + $5, y[$1] + h[$1])) {
        printf "%s %s: %d %d %dx%d at 144 DPI, %d %d %dx%d at 96\n", what, $1, $2, $3, $4, $5,
          x[$1], y[$1], w[$1], h[$1]
        bad = 1
      }
    }
    END { for (k in x) if (!(k in seen)) { print what " " k ": not there at 144 DPI"; bad = 1 }
          exit bad }' "$1" "$2" || fail "$3 at 150 % are not the 100 % ones times 1.5 (above)"
}

sizes='[Sizes]\r\nCollectionsPane=150\r\nFontsPane=170\r\nDetailsPane=100\r\n'
for skin in Default Dark; do
  run 96 "$skin-96" "[Placement]\r\nX=100\r\nY=80\r\nWidth=640\r\nHeight=420\r\n[Skin]\r\nDir=Skins\\\\$skin\r\n$sizes"
  run 144 "$skin-144" "[Placement]\r\nX=150\r\nY=120\r\nWidth=960\r\nHeight=630\r\n[Skin]\r\nDir=Skins\\\\$skin\r\n$sizes"
  same_times_one_and_a_half "$work/$skin-96.controls" "$work/$skin-144.controls" "$skin: controls"
  same_times_one_and_a_half "$work/$skin-96.frame" "$work/$skin-144.frame" "$skin: edge windows"
  [ "$(wc -l <"$work/$skin-144.controls")" -gt 30 ] || fail "$skin: too few controls listed"
done

# What the 150 % run wrote: the pane sizes as they were given (96 DPI), the
# bounds as the screen has them.
ini=$(tr -d '\r' <"$work/Default-144/NimbQuillbox.ini")
for line in CollectionsPane=150 FontsPane=170 DetailsPane=100 X=150 Y=120 Width=960 Height=630; do
  grep -qx "$line" <<<"$ini" || fail "the settings written at 150 % lack $line:
$ini"
done

# A first start: the default bounds (100, 100, 320 x 320) at the primary
# monitor's scale.
run 144 first-144 ''
grep -q '^TfrmMiddle 150 150 480 480 ' "$work/first-144.frame" ||
  fail "a first start at 150 % is not at 150, 150, 480 x 480: $(cat "$work/first-144.frame")"

echo "e2e_dpi: the window at 150 % is the one at 100 % times 1.5; screenshots: $work/Default-144.png $work/Dark-144.png"
