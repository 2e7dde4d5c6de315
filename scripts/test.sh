#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test with one CTest summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NQ_BUILD:-$root/build}
jobs=$(nproc)

bash "$root/scripts/deps.sh"

# The shipping i686 build runs under a 32-bit Wine where this machine can run it;
# elsewhere only its export and import tables are checked.
run_i686=ON
why=$(bash "$root/scripts/wine32.sh" "$build/wine32-check") || run_i686=OFF

configure() { # dir, extra args...
  local dir=$1; shift
  cmake -S "$root" -B "$build/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build/$dir" -j "$jobs"
}
# The portable zip, made as scripts/package.sh makes it for a release. The i686
# tree's tests check it and, where the i686 build runs, unpack and run it; elsewhere
# the x86_64 build, packed the same way, is the one unpacked and run.
zip=$(bash "$root/scripts/package.sh")
run_x86_64_zip=OFF
[ "$run_i686" = ON ] || run_x86_64_zip=ON

configure native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DNQ_SANITIZE=ON -DNQ_FUZZ=ON
configure i686 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DNQ_RUN_I686="$run_i686" \
  -DNQ_WINEPREFIX="$build/wineprefix-i686" -DNQ_PACKAGE_DIR="$(dirname "$zip")" \
  -DNQ_PACKAGE_RUN="$run_i686"
configure x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DNQ_WINEPREFIX="$build/wineprefix" \
  -DNQ_PACKAGE_DIR="$build/x86_64/package" -DNQ_PACKAGE_RUN="$run_x86_64_zip"
if [ "$run_x86_64_zip" = ON ]; then
  cpack --config "$build/x86_64/CPackConfig.cmake" -B "$build/x86_64/package" >/dev/null
fi

# One CTest run over the three build trees, so the summary at the end covers them all.
cat > "$build/CTestTestfile.cmake" <<CT
subdirs("native")
subdirs("i686")
subdirs("x86_64")
CT

. "$root/scripts/display.sh"
cleanup() { nq_stop_wine; nq_stop_display; }
trap cleanup EXIT
nq_start_display
# A prefix per architecture, each made by its own loader: a 32-bit one for i686.
nq_warm_wine "$build/wineprefix" x86_64
# The tests of the window at 150 %: a prefix of their own whose display scale is 144 DPI.
nq_warm_wine "$build/wineprefix-dpi144" x86_64 144
if [ "$run_i686" = ON ]; then
  nq_warm_wine "$build/wineprefix-i686" i686
else
  echo "i686: 32-bit Wine cannot run here ($why); the i686 tree was checked by its tables only."
fi

ctest --test-dir "$build" --output-on-failure --timeout 600
