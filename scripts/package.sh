#!/usr/bin/env bash
# Makes the portable zip: builds the i686 tree in Release (build/package-i686),
# packs NimbQuillbox.exe and glyphscan.dll (stripped), the skins, README.txt and
# LICENSE into build/package/NimbQuillbox-<version>-win32.zip and prints its path
# as the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NQ_BUILD:-$root/build}
tree=$build/package-i686
out=$build/package
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

bash "$root/scripts/deps.sh" >&2

cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DNQ_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$tree" -j "$jobs" --target NimbQuillbox glyphscan >&2

mkdir -p "$out"
# The name CPack gives the zip, read from its configuration.
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$tree/CPackConfig.cmake")
[ -n "$name" ] || { echo "package.sh: no package name in $tree/CPackConfig.cmake" >&2; exit 1; }
rm -f "$out/$name.zip"
cpack --config "$tree/CPackConfig.cmake" -B "$out" >&2
rm -rf "$out/_CPack_Packages"
[ -f "$out/$name.zip" ] || { echo "package.sh: cpack made no $out/$name.zip" >&2; exit 1; }
echo "$out/$name.zip"
