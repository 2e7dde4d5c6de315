# Sourced by the scripts that drive NimbQuillbox from outside: nq_probe run
# through the build's Wine loader, a poll for the text it prints and a wait
# for the program to end. The caller sets wine_run and probe (the paths) and
# defines fail.

# Ends a script that needs the display and xdotool with the skip code when
# either is missing: skip_without_display NAME
skip_without_display() {
  if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
    echo "$1: no display or no xdotool; skipped"
    exit 77
  fi
}

probe() { "$wine_run" "$probe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Polls until the probe's output equals the expected text (10 s at most):
# expect_probe EXPECTED ARGUMENTS...
expect_probe() {
  local expected=$1; shift
  local got=
  for _ in $(seq 50); do
    got=$(probe "$@" || true)
    [ "$got" = "$expected" ] && return 0
    sleep 0.2
  done
  fail "'$*' gave:
$got
expected:
$expected"
}

# Waits for a process to end (10 s at most); fails with the message when it
# runs on: wait_for_exit PID MESSAGE
wait_for_exit() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "$2"
}

# The recycle bin under Wine is the Linux user's trash: a .trashinfo file per
# item names where it came from. The scripts find what they trashed by that
# origin, never by a file name that earlier runs may have left there, and
# take it out again: trashed_from TEXT prints the info files whose origin
# contains TEXT; untrash_from TEXT removes those items and their info files.
nq_trash="${XDG_DATA_HOME:-$HOME/.local/share}/Trash"
trashed_from() {
  grep -lF "$1" "$nq_trash"/info/*.trashinfo 2>/dev/null || true
}
untrash_from() {
  local info name
  for info in $(trashed_from "$1" | tr '\n' ' '); do
    name=$(basename "$info" .trashinfo)
    rm -rf "$nq_trash/files/$name" "$info"
  done
}
