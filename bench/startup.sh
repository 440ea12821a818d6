#!/usr/bin/env bash
# Start-up of the Linux program beside other ways of showing one message box:
# the time from process start until its box is mapped on a virtual display,
# and the peak memory, median and slowest of several runs, for
#   quibrad --info --text hi   the command-line box, the one a script shows
#   quibrad                    the composer's start (its intro box)
#   bare Qt QMessageBox        the least a Qt program does to show the same box: the yardstick
#   bare Qt QLabel             the least a Qt program does to show any window: the toolkit's floor
#   zenity --info              a GTK dialog program
#   kdialog --msgbox           a KDE dialog program
#   xmessage                   a bare X toolkit program
# and whether the command-line box stays within 1.05 times the bare Qt box.
#
#   bench/startup.sh [quibrad]   (default: build/bench-linux/src/app/quibrad; RUNS=15)
#
# Time an optimised quibrad: `make bench` builds one and runs this script. A
# dialog program that is not installed gives a "not installed" row;
# `scripts/install-deps.sh --bench` installs them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
quibrad=${1:-$root/build/bench-linux/src/app/quibrad}
runs=${RUNS:-15}
helpers=${BENCH_QT_BUILD:-$root/build/bench-qt}  # where the helpers are built
limit=1.05

if [ ! -x "$quibrad" ]; then
  cat >&2 <<EOF
startup: $quibrad is not built. Build an optimised one (make bench does all of this):
  scripts/install-deps.sh --bench
  cmake -S . -B build/bench-linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIBRA_BACKENDS="headless;qt;terminal" -DQUIBRA_TESTS=OFF
  cmake --build build/bench-linux -j2 --target quibrad
EOF
  exit 1
fi
# The programs run in a folder of their own: the paths must not depend on where we are.
quibrad=$(cd "$(dirname "$quibrad")" && pwd)/$(basename "$quibrad")
mkdir -p "$helpers"
helpers=$(cd "$helpers" && pwd)
command -v Xvfb >/dev/null || { echo "startup: Xvfb is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }

# A debug build starts slower for reasons that are not the program's: say so
# rather than publish its figures.
build_type=unknown
dir=$(dirname "$quibrad")
while [ "$dir" != / ]; do
  if [ -f "$dir/CMakeCache.txt" ]; then
    build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$dir/CMakeCache.txt")
    break
  fi
  dir=$(dirname "$dir")
done
[ "$build_type" = Release ] ||
  echo "startup: warning: $quibrad is a '${build_type}' build, not Release; its figures are not the ones to publish" >&2

cmake -S "$root/bench/qt" -B "$helpers" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$helpers" -j2 >/dev/null
[ -x "$helpers/map_watch" ] && [ -x "$helpers/bare_label" ] || { echo "startup: the helpers need Qt 6 and Xlib" >&2; exit 1; }

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
# Every program gets the same private runtime folder, as a desktop session
# gives one; without it the toolkits warn and look for a fallback.
export XDG_RUNTIME_DIR=$work/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/run"  # quibrad writes its INI file where it runs

text=hi  # one word: the command lines below are split at blanks, so is the path to quibrad
names=("quibrad --info --text $text" "quibrad (the composer)" "bare Qt QMessageBox" "bare Qt QLabel" "zenity --info"
       "kdialog --msgbox" "xmessage")
commands=("$quibrad --info --text $text" "$quibrad" "$helpers/bare_box $text" "$helpers/bare_label $text"
          "zenity --info --text=$text" "kdialog --msgbox $text" "xmessage $text")
cli=0 bare=2 floor=3  # the rows the verdict compares
installed=()
for i in "${!commands[@]}"; do
  read -ra cmd <<<"${commands[$i]}"
  if command -v "${cmd[0]}" >/dev/null; then installed+=(1); else installed+=(0); fi
done

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# One warm-up of each, then the runs, the programs taking turns.
# shellcheck source=take-turns.sh
. "$root/bench/take-turns.sh"
bench_take_turns startup "$runs" 1 "$work" "$helpers/map_watch" 300
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "$started, $model, $(nproc) cores, load average $load_before before, $load_after after;" \
  "quibrad: $build_type build; $runs runs on Xvfb"
printf '%-28s %10s %11s %11s %15s\n' "program" "median ms" "slowest ms" "CPU ms" "peak memory MB"
declare -A med cpu
for i in "${!commands[@]}"; do
  file=$work/result.$i
  if [ "${installed[$i]}" = 0 ]; then printf '%-28s %10s\n' "${names[$i]}" "not installed"; continue; fi
  [ -s "$file" ] || { printf '%-28s %10s\n' "${names[$i]}" "failed"; continue; }
  med[$i]=$(cut -d' ' -f2 "$file" | median)
  cpu[$i]=$(cut -d' ' -f4 "$file" | median)
  slowest=$(cut -d' ' -f2 "$file" | highest)
  kb=$(cut -d' ' -f3 "$file" | highest)
  printf '%-28s %10s %11s %11s %15s\n' "${names[$i]}" "${med[$i]}" "$slowest" "${cpu[$i]}" \
    "$(awk -v kb="$kb" 'BEGIN {printf "%.1f", kb / 1024}')"
done
echo "(median and slowest: from the start to the box on the screen; CPU ms: the median processor time used until then)"
[[ " ${installed[*]} " == *" 0 "* ]] && echo "(scripts/install-deps.sh --bench installs the programs that are not installed)"

if [ -z "${med[$cli]:-}" ] || [ -z "${med[$bare]:-}" ]; then
  echo "quibrad --info against the bare Qt box: no ratio, one of them showed no box"
  exit 1
fi
# The ratio of the medians decides. The median of each run's own ratio (the
# two started within the same run) and the ratio of the processor times say how
# much of it is the machine's load rather than the program.
ratio=$(awk -v a="${med[$cli]}" -v b="${med[$bare]}" 'BEGIN {printf "%.2f", a / b}')
paired=$(join <(sort -k1,1 "$work/result.$cli") <(sort -k1,1 "$work/result.$bare") |
  awk '{printf "%.4f\n", $2 / $5}' | median)
verdict=$(awk -v r="$ratio" -v l="$limit" 'BEGIN {print (r <= l ? "WITHIN" : "NOT within")}')
printf 'quibrad --info --text %s / bare Qt box: %s (%s / %s ms): %s %s times the bare Qt box\n' \
  "$text" "$ratio" "${med[$cli]}" "${med[$bare]}" "$verdict" "$limit"
printf '  median of the runs'"'"' own ratios %.2f; processor time %.2f (%s / %s ms)\n' "$paired" \
  "$(awk -v a="${cpu[$cli]}" -v b="${cpu[$bare]}" 'BEGIN {printf "%.4f", a / b}')" "${cpu[$cli]}" "${cpu[$bare]}"
if [ -n "${med[$floor]:-}" ]; then
  printf 'quibrad --info --text %s / bare Qt QLabel window (the floor): %s (%s / %s ms)\n' "$text" \
    "$(awk -v a="${med[$cli]}" -v b="${med[$floor]}" 'BEGIN {printf "%.2f", a / b}')" "${med[$cli]}" "${med[$floor]}"
fi
