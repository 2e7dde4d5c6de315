# Sourced: makes a Wine prefix ready to run programs without holding anyone's pipe.

# Sets the environment for running one build's programs under Wine: the prefix,
# and the loader made for the build's architecture (i686 or x86_64). `wine` alone
# is no choice: with wine32:i386 installed, Debian's /usr/bin/wine starts the
# 32-bit loader, which cannot run in a prefix made by 64-bit Wine alone. So each
# architecture gets its own loader and a prefix made by it (WINEARCH).
nq_wine_env() { # arch prefix
  local arch=$1 name=wine
  export WINEPREFIX=$2 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ "$arch" = x86_64 ]; then
    name=wine64
    export WINEARCH=win64
  else
    export WINEARCH=win32
  fi
  # Debian keeps both loaders in /usr/lib/wine; elsewhere they are on the PATH.
  if [ -x "/usr/lib/wine/$name" ]; then
    WINELOADER=/usr/lib/wine/$name
  else
    WINELOADER=$(command -v "$name" || command -v wine)
  fi
  export WINELOADER
}

# `wineserver -p` exits 0 when it started a new, persistent server, and 2 when one
# already runs for the prefix. Only a new server needs its services started, and
# they must be started before any program whose output someone reads. The server
# and the services outlive this call, so they must not inherit the lock (fd 9).
# Call nq_wine_env first.
nq_wine_ready() {
  local prefix=$1
  mkdir -p "$prefix"
  (
    flock 9
    if wineserver -p </dev/null >/dev/null 2>&1 9>&- || [ ! -f "$prefix/system.reg" ]; then
      if [ -f "$prefix/system.reg" ]; then
        "$WINELOADER" wineboot </dev/null >/dev/null 2>&1 9>&-
      else
        "$WINELOADER" wineboot --init </dev/null >/dev/null 2>&1 9>&-
      fi
    fi
  ) 9>"$prefix.lock"
}

# Gives the prefix's user a display scale: HKCU\Control Panel\Desktop LogPixels
# (96 is 100 %, 144 is 150 %). Wine reports it to every process that starts
# afterwards as the DPI of the screen and of every window. Set once; a marker
# file in the prefix remembers it. Call nq_wine_env and nq_wine_ready first.
nq_wine_logpixels() { # prefix dpi
  local prefix=$1 dpi=$2
  [ -f "$prefix/.nq-logpixels-$dpi" ] && return 0
  "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  touch "$prefix/.nq-logpixels-$dpi"
}
