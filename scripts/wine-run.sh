#!/usr/bin/env bash
# Runs one Windows test program under Wine: in a throwaway prefix under the
# build folder, with Wine's own chatter off, and always under a time limit so
# that a hung Wine cannot stall the whole test run.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-loader.sh
. "$here/wine-loader.sh"
exe="$1"; shift
quibra_use_wine "$exe" || exit 1
build_dir=$(cd "$(dirname "$exe")" && pwd)
while [ "$build_dir" != / ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do build_dir=$(dirname "$build_dir"); done
export WINEPREFIX="$build_dir/wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # The prefix is made once per build folder; the lock keeps parallel test
  # programs from making it twice.
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || quibra_new_prefix "$WINEPREFIX"
  ) 9>"$build_dir/wineprefix.lock"
fi
cd "$(dirname "$exe")"
quibra_run_checked() {
  timeout --kill-after=10 "${WINE_TEST_TIMEOUT:-600}" "$QUIBRA_WINE" "$exe" "$@"
}
quibra_run_unless_crashed "$@"
