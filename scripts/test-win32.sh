#!/usr/bin/env bash
# The 32-bit Windows build, the product: always built and checked as a file;
# its tests run under 32-bit Wine only where this machine can start it. Where
# it cannot, one line says so and only the program is built, so no time goes
# into test programs that nobody runs.
set -euo pipefail
cd "$(dirname "$0")/.."

why_not=
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  if bash scripts/can-run-32bit.sh; then
    why_not="32-bit Wine is not installed (make deps installs wine32:i386)"
  else
    why_not="this machine's kernel cannot run 32-bit programs, so 32-bit Wine is not installed"
  fi
elif ! answer=$(WINEDEBUG=-all timeout 60 "$loader" --version 2>&1); then
  why_not="32-bit Wine does not start here: $(head -n 1 <<<"$answer")"
fi

cmake --preset win32 >/dev/null
if [ -z "$why_not" ]; then
  cmake --build --preset win32
  ctest --preset win32
else
  echo "test-win32: the 32-bit Windows tests were NOT run: $why_not." \
    "QuibraD.exe and QuibraD.com (32-bit) are built and checked as files; the Windows tests ran on the 64-bit build (win64)."
  cmake --build --preset win32 --target QuibraD QuibraDcom
  ctest --preset win32 -R '^windows_(console_)?program_file$'
fi
bash scripts/test-counts.sh build/win32
