#!/usr/bin/env bash
# Runs a Windows test program that makes real windows: under Wine, on a
# private virtual display, in a throwaway prefix with Wine's fonts and a
# virtual desktop (see win32-display.sh), always under a time limit.
#   scripts/win32-desktop-run.sh <program.exe> [arguments...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=win32-display.sh
. "$here/win32-display.sh"
exe=${1:?usage: win32-desktop-run.sh <program.exe> [arguments...]}
shift

quibra_desktop_session desktop "$exe" || exit 1
cd "$(dirname "$exe")" || exit 1
quibra_run_checked() {
  timeout --kill-after=10 "${WINE_TEST_TIMEOUT:-600}" "$QUIBRA_WINE" "$exe" "$@"
}
quibra_run_unless_crashed "$@"
