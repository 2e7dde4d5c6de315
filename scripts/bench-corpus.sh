#!/usr/bin/env bash
# Builds the benchmark corpus: TrueType 1.0 files from Debian font packages,
# copied under distinct names (as many rounds of copies as it takes) until the
# folder holds at least the requested number of files.
# With "mixed", the corpus holds each format alike: TrueType 1.0 (.ttf), OpenType
# with CFF outlines (.otf) and collections (.ttc), at least MIN_FILES/3 of each,
# each distinct file copied once and linked under its further names (a
# collection is large, and Debian ships few).
# Usage: bench-corpus.sh OUTPUT_DIR [MIN_FILES] [mixed]
set -euo pipefail
out=${1:?usage: bench-corpus.sh OUTPUT_DIR [MIN_FILES] [mixed]}
min_files=${2:-300}
mode=${3:-}

# The font files of the installed packages among $2... whose first four bytes are $1.
files_tagged() { # hex-tag extension packages...
  local tag=$1 extension=$2; shift 2
  local p f
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || continue
    while IFS= read -r f; do
      [ -f "$f" ] || continue
      [ "$(head -c 4 "$f" | od -An -tx1 | tr -d ' \n')" = "$tag" ] && echo "$f"
    done < <(dpkg -L "$p" | grep -i "\\.$extension\$" | sort)
  done
}

if [ "$mode" = mixed ]; then
  rm -rf "$out"
  mkdir -p "$out"
  per_format=$(((min_files + 2) / 3))
  for format in "00010000 ttf fonts-dejavu-core fonts-liberation2 fonts-roboto-unhinted" \
                "4f54544f otf fonts-urw-base35" "74746366 ttc fonts-wqy-microhei"; do
    set -- $format
    mapfile -t found < <(files_tagged "$@")
    if [ ${#found[@]} -eq 0 ]; then
      echo "bench-corpus: no .$2 files found; install ${*:3}" >&2
      exit 1
    fi
    # Each distinct file is copied once; its further names are links to that copy.
    for ((i = 0; i < per_format; i++)); do
      k=$((i % ${#found[@]}))
      name="$out/$(printf '%03d' "$i")-$(basename "${found[$k]}")"
      if [ "$i" -lt ${#found[@]} ]; then
        cp "${found[$k]}" "$name"
      else
        ln "$out/$(printf '%03d' "$k")-$(basename "${found[$k]}")" "$name"
      fi
    done
    echo "bench-corpus: $per_format .$2 files (${#found[@]} distinct) in $out"
  done
  exit 0
fi

packages=(
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-liberation
  fonts-roboto-unhinted fonts-noto-mono fonts-freefont-ttf
  fonts-crosextra-carlito fonts-crosextra-caladea fonts-open-sans fonts-lato
)

sources=()
names=() # package + file name: two packages may ship the same file name
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || continue
  while IFS= read -r f; do
    [ -f "$f" ] || continue
    # Only sfnt version 1.0 (00 01 00 00); OpenType-CFF and collections do not count.
    [ "$(head -c 4 "$f" | od -An -tx1 | tr -d ' \n')" = "00010000" ] || continue
    sources+=("$f")
    names+=("$p-$(basename "$f")")
  done < <(dpkg -L "$p" | grep -i '\.ttf$' | sort)
done
if [ ${#sources[@]} -eq 0 ]; then
  echo "bench-corpus: no TrueType files found; install ${packages[*]}" >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out"
count=0
copy=0
while [ "$count" -lt "$min_files" ]; do
  for i in "${!sources[@]}"; do
    cp "${sources[$i]}" "$out/$(printf '%02d' "$copy")-${names[$i]}"
    count=$((count + 1))
  done
  copy=$((copy + 1))
done
echo "bench-corpus: $count files ($((${#sources[@]})) distinct fonts x $copy) in $out"
