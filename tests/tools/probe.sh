# Sourced by the scripts that drive NimbQuillbox from outside: nq_probe run
# through the build's Wine loader, a poll for the text it prints and a wait
# for the program to end. The caller sets wine_run and probe (the paths) and
# defines fail.
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
