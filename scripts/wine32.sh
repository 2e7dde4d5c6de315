#!/usr/bin/env bash
# Finds out whether the i686 build's programs can run on this machine, and where
# they can, makes sure a 32-bit Wine (wine32:i386) is installed.
# 32-bit Linux programs run on some machines and not on others (it depends on
# the kernel), so a tiny 32-bit program built here is the judge, and then the
# 32-bit Wine loader itself.
# Usage: wine32.sh WORK_DIR
# Exits 0 when the i686 build can run under Wine. Otherwise exits 1 and prints
# why, in a few words on one line, on stdout.
set -uo pipefail
work=${1:?usage: wine32.sh WORK_DIR}
mkdir -p "$work"
work=$(cd "$work" && pwd)

# A _start that exits with 42, so that a run that did not happen cannot pass.
cat >"$work/exit42.s" <<'ASM'
    .globl _start
_start:
    movl $1, %eax
    movl $42, %ebx
    int $0x80
ASM
if ! as --32 -o "$work/exit42.o" "$work/exit42.s" 2>/dev/null ||
  ! ld -m elf_i386 -o "$work/exit42" "$work/exit42.o" 2>/dev/null; then
  echo "no 32-bit assembler and linker"
  exit 1
fi
"$work/exit42" 2>/dev/null
if [ $? -ne 42 ]; then
  echo "this machine does not run 32-bit programs"
  exit 1
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
if ! installed wine32:i386; then
  echo "Installing: wine32:i386" >&2
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  # Others may be installing packages at the same time: wait for their lock.
  apt_get=("${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386 || { echo "cannot add the i386 architecture"; exit 1; }
  fi
  # With its recommendations, as deps.sh: Wine loads its X11 libraries at run time.
  if ! "${apt_get[@]}" update -qq >/dev/null 2>&1 ||
    ! DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y -qq wine32:i386 >/dev/null 2>&1; then
    echo "wine32:i386 could not be installed"
    exit 1
  fi
fi

# The loader itself: where 32-bit programs start only in part, it fails here
# (for one, with "Exec format error").
. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
nq_wine_env i686 "$work/prefix" # not made: --version needs none
if ! reason=$("$WINELOADER" --version 2>&1 </dev/null); then
  echo "the 32-bit Wine does not start: $(printf '%s' "$reason" | tail -n1)"
  exit 1
fi
exit 0
