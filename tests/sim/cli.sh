#!/usr/bin/env bash
# The emulator and the demo as programs: options, the port line, stopping, exit statuses.
# usage: cli.sh ZEFRA_SIM [ZEFRA_DEMO]
set -u
sim=$1 demo=${2:-}
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_status() { local want=$1; shift; "$@" >/dev/null 2>&1; local got=$?; [ "$got" = "$want" ] || fail "$* exited $got, expected $want"; }

expect_status 2 "$sim" --no-such-option
expect_status 2 "$sim" --port 70000
expect_status 0 "$sim" --help
expect_status 0 timeout 5 "$sim" --port 0 --exit-after 0.2

out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$sim" --port 0 --exit-after 20 >"$out" &
pid=$!
for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.05; done
line=$(head -n 1 "$out")
[[ $line =~ ^listening\ on\ 127\.0\.0\.1:([0-9]+)$ ]] || fail "first line was '$line'"
port=${BASH_REMATCH[1]}
if [ -n "$demo" ]; then
  expect_status 0 "$demo" --host 127.0.0.1 --port "$port"
  expect_status 2 "$demo" --no-such-option
  expect_status 2 "$demo" --port 0
  expect_status 0 "$demo" --help
fi
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" = 0 ] || fail "zefra-sim exited $status on SIGTERM"
if [ -n "$demo" ]; then
  # Nothing listens on the port the emulator has just given up.
  expect_status 1 "$demo" --host 127.0.0.1 --port "$port"
fi
echo "ok"
