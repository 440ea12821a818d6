#!/usr/bin/env bash
# Our command line beside zenity and kdialog: every row of
# tests/compat/message-boxes.tsv run through the real tool the row names and
# through our program on one virtual display, printed side by side, with the
# places where the real tool disagrees with the table and where ours disagrees
# with the real tool, and the totals.
#   scripts/compat.sh [QUIBRAD] [drive.py table options, e.g. --rows 1-12 --json out.json]
# QUIBRAD is our program (or the environment variable QUIBRAD; by default the
# Linux build's). Without it only the real tools are compared with the table.
# Installs zenity, kdialog and what drives them first (install-deps.sh --compat).
# Not part of `make test`: it needs the two desktops' toolkits.
set -euo pipefail
cd "$(dirname "$0")/.."

ours="${QUIBRAD:-}"
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
  ours="$1"
  shift
fi
[ -n "$ours" ] || ours=build/linux/src/app/quibrad

bash scripts/install-deps.sh --no-win32 --compat

# The driver's own tests come first: a table it reads wrongly would compare nothing.
/usr/bin/python3 tools/compat/test_drive.py

args=(table tests/compat/message-boxes.tsv)
if [ -x "$ours" ]; then
  args+=(--ours "$(cd "$(dirname "$ours")" && pwd)/$(basename "$ours")")
else
  echo "compat: $ours is not built; comparing zenity and kdialog with the table only."
  echo "compat: build ours with: cmake --preset linux && cmake --build --preset linux --target quibrad"
fi
exec /usr/bin/python3 tools/compat/drive.py "${args[@]}" "$@"
