#!/usr/bin/env bash
# Starts the Linux program built by the linux preset. It needs a display:
# without one it says so in one line, and how to run it on a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/linux/src/app/quibrad
if [ ! -x "$program" ]; then
  echo "run: $program is not built; 'make run' builds it first (or: cmake --preset linux && cmake --build --preset linux)" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: there is no display to show the program on (DISPLAY and WAYLAND_DISPLAY are not set); run it under a virtual display: xvfb-run -a make run" >&2
  exit 1
fi
# The program keeps AppError.Log (when logging is on) in its current folder:
# a folder of the build, so that the checkout stays clean. QuibraD.INI goes to
# the user's settings folder (~/.config/quibra).
mkdir -p build/linux/run
cd build/linux/run
exec ../src/app/quibrad
