#!/usr/bin/env bash
# Start-up of the Linux program beside other ways of showing one message box:
# the time from process start until the first window (the intro box) is
# mapped on a virtual display, and the peak memory, median and highest of
# several runs, for
#   quibrad             the program (its intro box, the runtime's own box)
#   bare Qt QMessageBox the least a Qt program does to show a box: the yardstick
#   zenity --info       a GTK dialog program
#   xmessage            a bare X toolkit program
#
#   bench/startup.sh [quibrad]    (default: build/linux/src/app/quibrad; RUNS=10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
quibrad=${1:-$root/build/linux/src/app/quibrad}
runs=${RUNS:-10}
helpers=${BENCH_QT_BUILD:-$root/build/bench-qt}  # where the helpers are built

if [ ! -x "$quibrad" ]; then
  echo "startup: $quibrad is not built (cmake --preset linux && cmake --build --preset linux)" >&2
  exit 1
fi
# The programs run in a folder of their own: the paths must not depend on where we are.
quibrad=$(cd "$(dirname "$quibrad")" && pwd)/$(basename "$quibrad")
mkdir -p "$helpers"
helpers=$(cd "$helpers" && pwd)
for tool in Xvfb zenity xmessage; do
  command -v "$tool" >/dev/null || { echo "startup: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
cmake -S "$root/bench/qt" -B "$helpers" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$helpers" -j2 >/dev/null
[ -x "$helpers/map_watch" ] || { echo "startup: the helpers need Qt 6 and Xlib" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quibra-startup.XXXXXX")
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, so that nothing else draws while we time.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "startup: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$work/run"  # quibrad writes its INI file where it runs

names=("quibrad" "bare Qt QMessageBox" "zenity --info" "xmessage")
commands=("$quibrad" "$helpers/bare_box" "zenity --info --text=OvQuibra-Demo" "xmessage OvQuibra Demo")

# One warm-up of each (fonts and libraries into the page cache), then the
# runs, the programs taking turns so that a slow moment hurts all alike.
for i in "${!commands[@]}"; do
  (cd "$work/run" && read -ra cmd <<<"${commands[$i]}" && "$helpers/map_watch" 300 "${cmd[@]}" >/dev/null 2>&1) || true
done
for run in $(seq "$runs"); do
  for i in "${!commands[@]}"; do
    read -ra cmd <<<"${commands[$i]}"
    if result=$(cd "$work/run" && "$helpers/map_watch" 300 "${cmd[@]}" 2>"$work/errors"); then
      echo "$result" >>"$work/result.$i"
    else
      echo "startup: ${names[$i]} showed no window in run $run: $(tail -1 "$work/errors")" >&2
    fi
  done
done

median() { sort -n | awk '{a[NR]=$1} END {if (NR) print (NR % 2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2); else print "-"}'; }
highest() { sort -n | tail -1; }
printf '%-22s %14s %14s %16s   (%s runs, Xvfb)\n' "program" "median ms" "slowest ms" "peak memory MB" "$runs"
for i in "${!commands[@]}"; do
  file=$work/result.$i
  [ -s "$file" ] || { printf '%-22s %14s\n' "${names[$i]}" "failed"; continue; }
  ms=$(cut -d' ' -f1 "$file" | median)
  slowest=$(cut -d' ' -f1 "$file" | highest)
  kb=$(cut -d' ' -f2 "$file" | highest)
  printf '%-22s %14s %14s %16s\n' "${names[$i]}" "$ms" "$slowest" "$(awk -v kb="$kb" 'BEGIN {printf "%.1f", kb / 1024}')"
done
