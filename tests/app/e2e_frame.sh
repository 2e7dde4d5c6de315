#!/usr/bin/env bash
# The five windows of NimbQuillbox's frame as a user handles them, under Wine on
# the display that scripts/test.sh provides: the title bar dragged (all five
# windows follow the pointer), the frame resized by its right border's corner,
# rolled up and down with the Roll button, minimised with the Min button and
# restored from the taskbar (rolled up and not), and Alt+F4 pressed on the
# title bar, which ends the program the normal way: its files are written.
# Usage: e2e_frame.sh EXE DLL PROBE WINE_RUN WINEPREFIX WORK_DIR
set -euo pipefail
exe=$1 dll=$2 probe=$3 wine_run=$4 prefix=$5 work=$6

. "$(dirname "${BASH_SOURCE[0]}")/../tools/probe.sh"
skip_without_display e2e_frame

fail() { echo "e2e_frame: FAIL: $*" >&2; exit 1; }

# Without a window manager, Wine's managed mode takes the activation and the
# mouse away from a window at its first move; unmanaged, the frame behaves as
# on Windows. Only this test's run of the prefix is unmanaged.
x11_key='HKCU\Software\Wine\X11 Driver'
program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  "$wine_run" reg delete "$x11_key" /v Managed /f </dev/null >/dev/null 2>&1 || true
}
trap cleanup EXIT
"$wine_run" reg add "$x11_key" /v Managed /d N /f </dev/null >/dev/null 2>&1 ||
  fail "could not set the prefix's window mode"

rm -rf "$work"
mkdir -p "$work"
cp "$exe" "$dll" "$work/"
cp -r "$(dirname "$exe")/Skins" "$work/"
skin="$work/Skins/Default"
printf '[Placement]\r\nX=200\r\nY=150\r\nWidth=600\r\nHeight=400\r\n' >"$work/NimbQuillbox.ini"

"$wine_run" "$work/NimbQuillbox.exe" </dev/null >"$work/wine.log" 2>&1 &
program_pid=$!
probe wait 30000 >/dev/null || fail "no NimbQuillbox window"

# The frame as "CLASS X Y W H VISIBLE ENABLED" lines, then together/apart and
# minimized 0/1 (see nq_probe). frame_of CLASS prints "X Y W H VISIBLE" of one window.
frame_of() { probe frame | sed -n "s/^$1 \([-0-9]* [-0-9]* [-0-9]* [-0-9]* [01]\) [01]\$/\1/p"; }
shown_count() { probe frame | awk 'NF == 7 && $6 == 1' | wc -l; }
wait_minimized() { # 0 or 1
  for _ in $(seq 50); do probe frame | grep -qx "minimized $1" && return 0; sleep 0.2; done
  fail "not minimized $1: $(probe frame)"
}
# Reads a key of the skin's values.ini.
skin_value() { tr -d '\r' <"$skin/values.ini" | sed -n "/^\[$1\]/,/^\[/s/^$2=//p" | head -n1; }
lw=$(skin_value left Width) rw=$(skin_value right Width)
th=$(skin_value top Height) bh=$(skin_value bottom Height)
rth=$(skin_value top RolledUpHeight)

# All five shown around the client (x, y, w, h), enabled, together, not minimised.
expect_arranged() { # x y w h
  local x=$1 y=$2 w=$3 h=$4
  expect_probe "TfrmTop $((x - lw)) $((y - th)) $((lw + w + rw)) $th 1 1
TfrmMiddle $x $y $w $h 1 1
TfrmBottom $x $((y + h)) $w $bh 1 1
TfrmRight $((x + w)) $y $rw $((h + bh)) 1 1
TfrmLeft $((x - lw)) $y $lw $((h + bh)) 1 1
together
minimized 0" frame
}
# Rolled up over the client (x, y, w): the title bar alone, at its rolled-up height.
expect_rolled_up() { # x y w
  local title="$(($1 - lw)) $(($2 - th)) $((lw + $3 + rw)) $rth 1"
  for _ in $(seq 50); do [ "$(frame_of TfrmTop)" = "$title" ] && break; sleep 0.2; done
  [ "$(frame_of TfrmTop)" = "$title" ] || fail "rolled-up title bar: $(frame_of TfrmTop), expected $title"
  [ "$(shown_count)" = 1 ] || fail "more than the title bar shows while rolled up: $(probe frame)"
  probe frame | grep -qx together || fail "the frame's windows are apart: $(probe frame)"
}

# Where a title button's image centre is on screen: button NAME IMAGE STATE
# (STATE "" or RolledUp), against the active reference width.
button() {
  local name=$1 image=$2 state=$3 x y align iw ih tx ty tw
  x=$(skin_value Buttons "${state}${name}X") y=$(skin_value Buttons "${state}${name}Y")
  align=$(skin_value Buttons "${state}${name}Align")
  iw=$(identify -format %w "$skin/$image") ih=$(identify -format %h "$skin/$image")
  read -r tx ty tw _ < <(frame_of TfrmTop)
  local anchor=0
  [ "$align" = 1 ] && anchor=$((tw / 2))
  [ "$align" = 2 ] && anchor=$tw
  echo "$((tx + anchor + x + iw / 2)) $((ty + y + ih / 2))"
}
click() { # x y
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool click 1
  sleep 0.3
}
# Presses at (x, y), moves by (dx, dy) in steps and releases there.
drag() { # x y dx dy
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  local i
  for i in 1 2 3 4 5; do
    xdotool mousemove "$(($1 + $3 * i / 5))" "$(($2 + $4 * i / 5))"
    sleep 0.15
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
}

expect_arranged 200 150 600 400

echo "drag the title bar"
read -r tx ty tw _ < <(frame_of TfrmTop)
drag "$((tx + tw / 2))" "$((ty + th / 2))" 120 70
expect_arranged 320 220 600 400

echo "resize by the right border's corner"
read -r rx ry _ rh _ < <(frame_of TfrmRight)
drag "$((rx + rw / 2))" "$((ry + rh - 5))" 50 40
expect_arranged 320 220 650 440

echo "roll up"
read -r x y < <(button Roll active_Roll.png "")
click "$x" "$y"
expect_rolled_up 320 220 650
import -window root "$work/e2e-frame-rolled.png" 2>/dev/null || true

echo "minimise rolled up, restore from the taskbar"
read -r x y < <(button Min active_min.png RolledUp)
click "$x" "$y"
wait_minimized 1
[ "$(shown_count)" = 0 ] || fail "a window is shown while minimised: $(probe frame)"
probe taskbar
wait_minimized 0
expect_rolled_up 320 220 650

echo "roll down"
read -r x y < <(button Roll active_Roll.png RolledUp)
click "$x" "$y"
expect_arranged 320 220 650 440

echo "minimise, restore from the taskbar"
read -r x y < <(button Min active_min.png "")
click "$x" "$y"
wait_minimized 1
[ "$(shown_count)" = 0 ] || fail "a window is shown while minimised: $(probe frame)"
probe taskbar
expect_arranged 320 220 650 440

import -window root "$work/e2e-frame.png" 2>/dev/null || true

echo "Alt+F4 on the title bar"
# A click gives it the keyboard, then the keys.
read -r tx ty tw _ < <(frame_of TfrmTop)
click "$((tx + tw / 2))" "$((ty + th / 2))"
xdotool key alt+F4
wait_for_exit "$program_pid" "the program still runs after Alt+F4 on the title bar"
program_pid=

ini=$(tr -d '\r' <"$work/NimbQuillbox.ini")
for line in X=320 Y=220 Width=650 Height=440 "Dir=Skins/Default" "Size=32"; do
  grep -qx "$line" <<<"$ini" || fail "settings file lacks $line:
$ini"
done
[ -f "$work/NimbQuillbox.txt" ] || fail "no sample text file"
echo "e2e_frame: passed"
