#!/usr/bin/env bash
# The Linux program on Wayland, end to end: a headless Weston of its own
# (nothing of the desktop the tests run on is touched), the program on Qt's
# Wayland plugin, and boxes in both styles left alone until their time-out
# presses the default button. Where Weston or Qt's Wayland plugin is missing,
# or Weston cannot start, the test says so in one line beginning "SKIPPED:".
#   scripts/e2e-wayland.sh <quibrad>
set -u
program=${1:?usage: e2e-wayland.sh <quibrad>}

if ! command -v weston >/dev/null; then
  echo "SKIPPED: weston is not installed (make deps installs it)"
  exit 0
fi
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null)
if [ -n "$plugins" ] && ! compgen -G "$plugins/platforms/libqwayland*" >/dev/null; then
  echo "SKIPPED: Qt's Wayland plugin is not installed (qt6-wayland; make deps installs it)"
  exit 0
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/quibra-wayland.XXXXXX")
chmod 700 "$runtime"
socket=quibra-e2e-$$
weston_pid=
stop() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
  fi
  rm -rf "$runtime"
}
trap stop EXIT

export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --no-config --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 100); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
  echo "SKIPPED: weston cannot start here: $(grep -v '^ *$' "$runtime/weston.log" | tail -n 1)"
  exit 0
fi

# Wayland and nothing else: no X display to fall back to.
unset DISPLAY
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
failures=0 checks=0
# expect <what> <status> <printed> -- <arguments>
expect() {
  local what=$1 status=$2 printed=$3
  shift 4
  local out rc
  timeout 60 "$program" "$@" >"$runtime/stdout" 2>"$runtime/stderr"
  rc=$?
  out=$(cat "$runtime/stdout")
  checks=$((checks + 1))
  if [ "$rc" = "$status" ] && [ "$out" = "$printed" ]; then
    echo "ok   $what: status $rc, printed \"$out\""
  else
    failures=$((failures + 1))
    echo "FAIL $what: status $rc (wanted $status), printed \"$out\" (wanted \"$printed\"); stderr: $(cat "$runtime/stderr")"
  fi
}

expect "the native box ends by its time-out" 7 "" -- --timeout 1 --text hi
expect "the runtime box ends by its time-out on its default" 7 "CANCEL" -- --style runtime --timeout 1 \
  --buttons yesnocancel --default cancel --text "Save?" --print
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
