#!/usr/bin/env bash
# The end-to-end test of the Windows program: QuibraD.exe runs under Wine on
# a virtual display in a throwaway prefix, and our UI-automation driver uses
# it as a person would (tools/uia). Everything runs under a time limit.
#   scripts/e2e-win32.sh <QuibraD.exe> <quibra-uia.exe>
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=win32-display.sh
. "$here/win32-display.sh"
program=${1:?usage: e2e-win32.sh <QuibraD.exe> <quibra-uia.exe>}
driver=${2:?usage: e2e-win32.sh <QuibraD.exe> <quibra-uia.exe>}

quibra_desktop_session e2e "$program" || exit 1
mkdir -p "$work/run"
timeout --kill-after=10 "${QUIBRA_E2E_TIMEOUT:-300}" \
  "$QUIBRA_WINE" "$driver" e2e "$(quibra_winpath "$program")" "$(quibra_winpath "$work/run")"
status=$?
[ "$status" = 124 ] && echo "e2e-win32: the run did not finish in time" >&2
exit "$status"
