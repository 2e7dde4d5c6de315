#!/usr/bin/env bash
# Builds the benchmark programs in Release trees of their own, makes the corpus of
# TrueType files and prints the figures: natively (with FreeType) and under Wine.
# NQ_BENCH_ROUNDS sets the number of rounds (default 15).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NQ_BUILD:-$root/build}
rounds=${NQ_BENCH_ROUNDS:-15}
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

# More font families for the corpus; only the benchmark needs them.
bash "$root/scripts/deps.sh" fonts-dejavu-extra fonts-liberation fonts-freefont-ttf \
  fonts-crosextra-carlito fonts-crosextra-caladea fonts-open-sans fonts-lato \
  fonts-urw-base35 fonts-wqy-microhei

configure() { # dir, target, extra args...
  local dir=$1 target=$2; shift 2
  cmake -S "$root" -B "$build/$dir" -DCMAKE_BUILD_TYPE=Release -DNQ_BENCH=ON -DNQ_TESTS=OFF \
    -DNQ_SANITIZE=OFF -DNQ_FUZZ=OFF "$@" >/dev/null
  cmake --build "$build/$dir" -j "$jobs" --target "$target" >/dev/null
}
configure bench-native bench_native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
# A prefix of its own: stopping its server at the end cannot disturb a test run.
wineprefix="$build/bench-wineprefix"
configure bench-x86_64 bench_wine -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DNQ_WINEPREFIX="$wineprefix"
cmake --build "$build/bench-x86_64" -j "$jobs" --target bench_catalogue bench_paint \
  bench_activation bench_frame bench_health >/dev/null

corpus="$build/bench-corpus"
bash "$root/scripts/bench-corpus.sh" "$corpus" 300
# TrueType, OpenType CFF and collection files alike, for the program's font reader.
mixed="$build/bench-corpus-mixed"
bash "$root/scripts/bench-corpus.sh" "$mixed" 300 mixed

echo
"$build/bench-native/bench/bench_native" "$corpus" "$rounds" "$mixed"

. "$root/scripts/display.sh"
trap 'nq_stop_wine; nq_stop_display' EXIT
# The client window of the catalogue benchmark needs a display; a private one,
# so that nothing else paints while it is timed. It comes before Wine's first
# process, which starts the prefix's desktop on it. Large enough for the paint
# benchmark's window at 150 % (1920 x 1200).
NQ_SCREEN=2048x1536x24 nq_start_display
nq_warm_wine "$wineprefix"
# The paint benchmark also runs where the display scale is 150 %: a prefix of
# that scale (wine-run.sh with NQ_DPI=144).
nq_warm_wine "$wineprefix-dpi144" x86_64 144
# No window manager runs on the private display: Wine's managed mode would then
# wait 2 s for every window it hides (a roll-up hides four) and take the mouse
# away at a window's first move. Unmanaged, windows behave as on Windows.
for dpi in 96 144; do
  NQ_DPI=$dpi "$build/bench-x86_64/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /d N /f </dev/null >/dev/null 2>&1
done
echo
# Wine sees the Linux root as drive Z:.
wine_corpus="Z:$(printf '%s' "$corpus" | tr / '\\')"
wine_mixed="Z:$(printf '%s' "$mixed" | tr / '\\')"
"$build/bench-x86_64/wine-run.sh" "$build/bench-x86_64/bench/bench_wine.exe" "$wine_corpus" "$rounds" \
  "$wine_mixed"

# The program copies the corpus into a collection of 2,000 files in a fonts root
# of its own under Wine's temporary folder and removes it at the end.
echo
"$build/bench-x86_64/wine-run.sh" "$build/bench-x86_64/bench/bench_catalogue.exe" \
  "$wine_corpus" "$rounds" 2000 "$wine_mixed"

# The client window at 1280 x 800 with the Default skin and a collection of 300
# files listed, in a program folder of its own: its paints beside the bare
# drawing steps of the same sizes. Then the same at 150 %: the window 1920 x
# 1200, drawn from the skin's double-size images, beside floors of that size.
for dpi in 96 144; do
  echo
  NQ_DPI=$dpi "$build/bench-x86_64/wine-run.sh" "$build/bench-x86_64/bench/bench_paint.exe" \
    "$wine_corpus" "$rounds" 300
done

# A collection of 500 registered fonts switched off and on, in a fonts root of
# its own; the registry values and files go again at the end.
echo
"$build/bench-x86_64/wine-run.sh" "$build/bench-x86_64/bench/bench_activation.exe" \
  "$wine_corpus" "$rounds" 500

# A library of 2,000 fonts in ten collections checked for problems, beside the
# names a listing reads; the files go again at the end.
echo
"$build/bench-x86_64/wine-run.sh" "$build/bench-x86_64/bench/bench_health.exe" \
  "$wine_corpus" "$rounds" 2000

# The frame at a 1280 x 800 client with the Default skin: a drag step, a resize
# step and a roll-up beside bare window moves and layered updates.
echo
"$build/bench-x86_64/wine-run.sh" "$build/bench-x86_64/bench/bench_frame.exe" "$rounds"
