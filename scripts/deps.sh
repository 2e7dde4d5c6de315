#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
# Further package names given as arguments are installed along with them.
set -euo pipefail
packages=(
  cmake make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686
  googletest libbenchmark-dev libfreetype-dev
  wine wine64 fonts-wine xvfb xdotool xcompmgr imagemagick x11-utils
  fonts-dejavu-core fonts-liberation2 fonts-roboto-unhinted fonts-noto-mono
  fonts-urw-base35 fonts-wqy-microhei
  util-linux binutils unzip
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  # With their recommendations: Wine loads its X11 libraries at run time.
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
