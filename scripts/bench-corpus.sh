#!/usr/bin/env bash
# Builds the benchmark corpus: TrueType 1.0 files from Debian font packages,
# copied under distinct names (as many rounds of copies as it takes) until the
# folder holds at least the requested number of files.
# Usage: bench-corpus.sh OUTPUT_DIR [MIN_FILES]
set -euo pipefail
out=${1:?usage: bench-corpus.sh OUTPUT_DIR [MIN_FILES]}
min_files=${2:-300}

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
