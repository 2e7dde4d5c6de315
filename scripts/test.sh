#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test with one CTest summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NQ_BUILD:-$root/build}
jobs=$(nproc)

bash "$root/scripts/deps.sh"

configure() { # dir, extra args...
  local dir=$1; shift
  cmake -S "$root" -B "$build/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build/$dir" -j "$jobs"
}
configure native -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DNQ_SANITIZE=ON -DNQ_FUZZ=ON
configure i686 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
configure x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DNQ_WINEPREFIX="$build/wineprefix"

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
nq_warm_wine "$build/wineprefix"

ctest --test-dir "$build" --output-on-failure --timeout 600
