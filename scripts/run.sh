#!/usr/bin/env bash
# Starts the program built by the linux preset.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -x build/linux/src/app/quibrad ]; then
  exec build/linux/src/app/quibrad
fi
echo "run: the desktop program is not built yet: this checkout has no desktop backend (the Qt one is still to come)." >&2
echo "run: what the program does can be seen in its end-to-end tests: make test" >&2
exit 1
