#!/usr/bin/env bash
# Compiles the C calls that BoxCodeTest wrote into DIR/box-code-cases.h with
# the 64-bit Windows cross compiler and the real <windows.h>, and runs them
# once under 64-bit Wine (scripts/wine-run.sh: a prefix under the build
# folder, under a time limit). Says "SKIPPED:" and ends with 77 when the
# compiler or Wine is missing.
#   tests/composer/box-code-wine.sh DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
work="$1"
cc=x86_64-w64-mingw32-gcc-posix
if ! command -v "$cc" >/dev/null; then
  echo "box-code-wine: SKIPPED: $cc is missing (scripts/install-deps.sh installs it)"
  exit 77
fi
if [ ! -x /usr/lib/wine/wine64 ]; then
  echo "box-code-wine: SKIPPED: /usr/lib/wine/wine64 is missing (scripts/install-deps.sh installs it)"
  exit 77
fi
"$cc" -std=c11 -Wall -Wextra -Werror -I"$work" -o "$work/box-code-cases.exe" "$here/BoxCodeStandIn.c" -lshell32 || exit 1
exec "$here/../../scripts/wine-run.sh" "$work/box-code-cases.exe"
