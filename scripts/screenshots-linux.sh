#!/usr/bin/env bash
# Screenshots of the Linux program: the composer window, the message box of
# each style and the error message window with three history entries, into
# docs/linux-*.png. The program runs for real on a virtual display (or on
# Qt's offscreen platform when there is no Xvfb), answered by the scripted
# user of the Qt backend's tests, and each window is grabbed while it waits.
#   scripts/screenshots-linux.sh [build folder]   (default: build/linux)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/linux}
tool=$build/tests/qt_screenshots
if [ ! -x "$tool" ]; then
  echo "screenshots-linux: $tool is not built (cmake --preset linux && cmake --build --preset linux)" >&2
  exit 1
fi
mkdir -p "$root/docs"
if command -v xvfb-run >/dev/null; then
  QT_QPA_PLATFORM=xcb timeout --kill-after=10 120 \
    xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$tool" "$root/docs"
else
  echo "screenshots-linux: no xvfb-run; drawing on Qt's offscreen platform instead" >&2
  QT_QPA_PLATFORM=offscreen timeout --kill-after=10 120 "$tool" "$root/docs"
fi
