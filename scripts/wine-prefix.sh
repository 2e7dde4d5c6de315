# Sourced: makes a Wine prefix ready to run programs without holding anyone's pipe.
# `wineserver -p` exits 0 when it started a new, persistent server, and 2 when one
# already runs for the prefix. Only a new server needs its services started, and
# they must be started before any program whose output someone reads. The server
# and the services outlive this call, so they must not inherit the lock (fd 9).
nq_wine_ready() {
  local prefix=$1
  mkdir -p "$prefix"
  (
    flock 9
    if wineserver -p </dev/null >/dev/null 2>&1 9>&- || [ ! -f "$prefix/system.reg" ]; then
      if [ -f "$prefix/system.reg" ]; then
        wine wineboot </dev/null >/dev/null 2>&1 9>&-
      else
        wine wineboot --init </dev/null >/dev/null 2>&1 9>&-
      fi
    fi
  ) 9>"$prefix.lock"
}
