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

# The program itself: a 32-bit Windows GUI program that needs no DLL beyond
# the system's own.
if command -v i686-w64-mingw32-objdump >/dev/null; then
  headers=$(i686-w64-mingw32-objdump -p "$program")
  grep -q 'Magic.*(PE32)' <<<"$headers" || { echo "e2e-win32: $program is not a 32-bit PE program" >&2; exit 1; }
  grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "e2e-win32: $program is not a GUI program" >&2; exit 1; }
  for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers" | sort -u); do
    case "$dll" in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | advapi32.dll | msvcrt.dll) ;;
      *) echo "e2e-win32: $program needs $dll, which is not part of the system" >&2; exit 1 ;;
    esac
  done
  echo "ok   $(basename "$program") is a 32-bit Windows GUI program that needs only the system's DLLs"
fi

quibra_desktop_session e2e || exit 1
mkdir -p "$work/run"
timeout --kill-after=10 "${QUIBRA_E2E_TIMEOUT:-300}" \
  wine "$driver" e2e "$(quibra_winpath "$program")" "$(quibra_winpath "$work/run")"
status=$?
[ "$status" = 124 ] && echo "e2e-win32: the run did not finish in time" >&2
exit "$status"
