#!/usr/bin/env bash
# Installs everything the build, the tests and the benchmarks need on Debian 12.
#   scripts/install-deps.sh [--no-win32] [--bench] [--compat]
# --bench adds the other dialog programs that the start-up benchmark
# (bench/startup.sh) times beside ours. They are left out otherwise, so that
# `make test` on CI does not download a desktop's libraries it never uses.
# --compat adds them too, with KDE's framework plugins, with which kdialog
# keeps --dontagain answers in the file named, as on a KDE desktop.
# Safe to run again: packages already present are not touched and apt is not
# asked at all when nothing is missing. Needs root (CI and developers run as root).
set -euo pipefail

want_win32=1
want_bench=0
want_compat=0
for arg in "$@"; do
  case "$arg" in
    --no-win32) want_win32=0 ;;
    --bench) want_bench=1 ;;
    --compat) want_compat=1 ;;
    *) echo "install-deps: unknown option $arg" >&2; exit 2 ;;
  esac
done

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev googletest libbenchmark-dev
  libsqlite3-dev
  clang-format python3
  clang libclang-rt-14-dev llvm-14
  qt6-base-dev libgl-dev xvfb xauth x11-utils xdotool
  qt6-translations-l10n qt6-wayland weston
  lintian librsvg2-bin
  tcl dpkg-dev
  libncurses-dev tmux
  # A D-Bus session, the accessibility bus, and Python's X, GObject and
  # AT-SPI bindings: the screen reader's test (tests/a11y/screen_reader.py)
  # and `make compat` (tools/compat/drive.py) read the windows through them.
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi python3-xlib
)
# zenity is a GTK program and kdialog a KDE one: each brings its toolkit.
if [ "$want_bench" = 1 ] || [ "$want_compat" = 1 ]; then
  packages+=(zenity kdialog)
fi
# The terminal box's first frame is timed beside whiptail's.
if [ "$want_bench" = 1 ]; then
  packages+=(whiptail)
fi
if [ "$want_compat" = 1 ]; then
  packages+=(frameworkintegration)
fi
# The Windows builds: both cross compilers, and Wine to run the tests. 64-bit
# Wine runs everywhere; 32-bit Wine only where the kernel runs 32-bit programs.
want_wine32=0
if [ "$want_win32" = 1 ]; then
  packages+=(g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
             wine wine64 fonts-wine)
  if bash "$(dirname "$0")/can-run-32bit.sh"; then
    want_wine32=1
    packages+=(wine32:i386)
  fi
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ "$want_wine32" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "install-deps: installing ${missing[*]}"
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
