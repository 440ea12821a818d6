#!/usr/bin/env bash
# Checks a built Windows program as a file: the machine it is built for, a GUI
# program (or a console one, as QuibraD.com), no DLL beyond the system's own
# (it is linked statically), and, for QuibraD.exe, its icon, version and
# manifest resources.
#   scripts/check-windows-program.sh <program> <i386|x86-64> [gui|console]
set -u
usage="usage: check-windows-program.sh <program> <i386|x86-64> [gui|console]"
program=${1:?$usage}
machine=${2:?$usage}
kind=${3:-gui}
case "$kind" in
  gui) subsystem="Windows GUI" label=GUI ;;
  console) subsystem="Windows CUI" label=console ;;
  *) echo "check-windows-program: unknown kind $kind (gui or console)" >&2; exit 2 ;;
esac
case "$machine" in
  i386) objdump=i686-w64-mingw32-objdump format=pei-i386 magic=PE32 words="32-bit (Intel 80386)" ;;
  x86-64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 magic=PE32+ words="64-bit (x86-64)" ;;
  *) echo "check-windows-program: unknown machine $machine (i386 or x86-64)" >&2; exit 2 ;;
esac
fail() { echo "check-windows-program: $(basename "$program") $*" >&2; exit 1; }

[ -f "$program" ] || fail "is not built"
headers=$("$objdump" -p -f "$program" 2>&1) || fail "is not a Windows program: $headers"
grep -q "file format $format\$" <<<"$headers" || fail "is not built for $machine"
grep -q "^Magic.*($magic)" <<<"$headers" || fail "is not a $magic program"
grep -q "^Subsystem.*($subsystem)\$" <<<"$headers" || fail "is not a $label program"
for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers" | sort -u); do
  case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | advapi32.dll | msvcrt.dll) ;;
    *) fail "needs $dll, which is not part of the system" ;;
  esac
done
resources=""
if [ "$(basename "$program")" = QuibraD.exe ]; then
  # The resource types at the top of its resource directory: 14 an icon
  # group, 16 a version, 24 a manifest.
  types=$(grep -E '^[0-9a-f]{3}   Entry: ID: ' <<<"$headers" | awk '{print $4}')
  for type in "0x00000e icon" "0x000010 version" "0x000018 manifest"; do
    grep -qx "${type% *}," <<<"$types" || fail "has no ${type#* } resource"
  done
  grep -qa "Microsoft.Windows.Common-Controls" "$program" || fail "has a manifest without common controls 6"
  resources=", with its icon, version and manifest"
fi
echo "ok   $(basename "$program") is a $words Windows $label program ($magic) that needs only the system's DLLs$resources"
