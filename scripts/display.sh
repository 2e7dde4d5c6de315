# Sourced: starts a private Xvfb with xcompmgr on a free display number, and stops them.
# NQ_SCREEN sets the screen (default 1280x1024x24).
nq_start_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${NQ_SCREEN:-1280x1024x24}" -nolisten tcp </dev/null >/dev/null 2>&1 &
  NQ_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  # Blends the layered windows' per-pixel alpha as Windows does.
  xcompmgr </dev/null >/dev/null 2>&1 &
  NQ_XCOMPMGR_PID=$!
}

nq_stop_display() {
  [ -n "${NQ_XCOMPMGR_PID:-}" ] && kill "$NQ_XCOMPMGR_PID" 2>/dev/null || true
  [ -n "${NQ_XVFB_PID:-}" ] && kill "$NQ_XVFB_PID" 2>/dev/null || true
  NQ_XCOMPMGR_PID=
  NQ_XVFB_PID=
}

# Creates the prefix if needed and keeps a persistent wineserver with its services
# running, every descriptor redirected, so no service holds a pipe of ours open.
# The architecture (x86_64 unless given) picks the loader and the prefix's kind.
# With a DPI (e.g. 144), the prefix's display scale is set to it too.
NQ_WINE_PREFIXES=()
nq_warm_wine() { # prefix [arch [dpi]]
  . "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
  NQ_WINE_PREFIXES+=("$1")
  (
    nq_wine_env "${2:-x86_64}" "$1"
    nq_wine_ready "$1"
    [ -z "${3:-}" ] || [ "$3" = 96 ] || nq_wine_logpixels "$1" "$3"
  )
}

# Stops the servers of the prefixes warmed here, and with them their services.
nq_stop_wine() {
  local prefix
  for prefix in "${NQ_WINE_PREFIXES[@]}"; do
    WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
  done
  NQ_WINE_PREFIXES=()
}
