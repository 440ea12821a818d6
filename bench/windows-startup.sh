#!/usr/bin/env bash
# Start-up of the Windows program under Wine beside a bare MessageBoxA
# program (bench/windows/bare_message_box.c): the time from process start
# until its box is mapped on a virtual display, median and slowest of several
# runs, the processor time and the peak memory, for
#   QuibraD.exe --info --text hi   the command-line box (the system's MessageBoxA)
#   bare_message_box.exe hi        the least a Windows program does to show a box
#   the same with QuibraD's manifest  (common controls 6, DPI awareness): the same box as QuibraD's
# and whether QuibraD stays within 1.1 times the bare program that shows the
# same box: the one with the manifest (without a manifest the box has the
# classic controls, and the bench prints that ratio too, and what the
# manifest's look costs the bare program itself). Both run as
# the zip ships them, stripped, in one Wine prefix without a virtual desktop
# (so that each box is a top-level window of the X display), with the Wine
# server kept running, as on a desktop where Wine has started before.
#
#   bench/windows-startup.sh [BUILD]   (default: build/win64; RUNS=15)
#
# BUILD is a Windows build folder (build/win64 or build/win32) holding
# src/app/QuibraD.exe and bench/windows/bare_message_box.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
runs=${RUNS:-15}
helpers=${BENCH_QT_BUILD:-$root/build/bench-qt}  # where map_watch is built
limit=1.1
quibrad=$build/src/app/QuibraD.exe
bare=$build/bench/windows/bare_message_box.exe
for f in "$quibrad" "$bare"; do
  [ -f "$f" ] || { echo "windows-startup: $f is not built (cmake --build $build)" >&2; exit 1; }
done
mkdir -p "$helpers"
helpers=$(cd "$helpers" && pwd)
cmake -S "$root/bench/qt" -B "$helpers" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$helpers" -j2 --target map_watch >/dev/null
[ -x "$helpers/map_watch" ] || { echo "windows-startup: map_watch needs Xlib (make deps)" >&2; exit 1; }

# shellcheck source=../scripts/win32-display.sh
. "$root/scripts/win32-display.sh"
quibra_desktop_session windows-startup "$quibrad" || exit 1
# No virtual desktop: every top-level window is a window of the X display,
# which map_watch sees mapped.
cat >"$work/no-desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"=-
REG
timeout 120 "$QUIBRA_WINE" regedit /S "$(quibra_winpath "$work/no-desktop.reg")" >/dev/null 2>&1
timeout 60 wineserver -w
# The programs as the zip holds them: stripped by their architecture's strip.
case $(quibra_pe_machine "$quibrad") in
  i386) strip=i686-w64-mingw32-strip ;;
  *) strip=x86_64-w64-mingw32-strip ;;
esac
mkdir -p "$work/run"
"$strip" -o "$work/run/QuibraD.exe" "$quibrad"
"$strip" -o "$work/run/bare_message_box.exe" "$bare"
cp "$work/run/bare_message_box.exe" "$work/run/bare_manifest.exe"
manifest=$build/src/app/resources/QuibraD.manifest
[ -f "$manifest" ] && cp "$manifest" "$work/run/bare_manifest.exe.manifest"
# The server stays up between the runs (it would otherwise start with each).
wineserver -p
text=hi
names=("QuibraD.exe --info --text $text" "bare_message_box.exe $text" "the same, with QuibraD's manifest")
commands=("$work/run/QuibraD.exe --info --text $text" "$work/run/bare_message_box.exe $text"
          "$work/run/bare_manifest.exe $text")
installed=(1 1 "$([ -f "$manifest" ] && echo 1 || echo 0)")

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# Two warm-ups of each (Wine's own start-up too), then the runs, the
# programs taking turns.
# shellcheck source=take-turns.sh
. "$root/bench/take-turns.sh"
bench_take_turns windows-startup "$runs" 2 "$work" "$helpers/map_watch" 300 "$QUIBRA_WINE"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
model=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "$started, $model, $(nproc) cores, load average $load_before before, $load_after after;" \
  "$(basename "$build"), $(wine --version 2>/dev/null || echo Wine); $runs runs on Xvfb"
printf '%-36s %10s %11s %11s %15s\n' "program" "median ms" "slowest ms" "CPU ms" "peak memory MB"
declare -A med cpu
for i in "${!commands[@]}"; do
  file=$work/result.$i
  [ "${installed[$i]}" = 1 ] || { printf '%-36s %10s\n' "${names[$i]}" "no manifest in the build"; continue; }
  [ -s "$file" ] || { printf '%-36s %10s\n' "${names[$i]}" "failed"; continue; }
  med[$i]=$(cut -d' ' -f2 "$file" | median)
  cpu[$i]=$(cut -d' ' -f4 "$file" | median)
  printf '%-36s %10s %11s %11s %15s\n' "${names[$i]}" "${med[$i]}" "$(cut -d' ' -f2 "$file" | highest)" "${cpu[$i]}" \
    "$(awk -v kb="$(cut -d' ' -f3 "$file" | highest)" 'BEGIN {printf "%.1f", kb / 1024}')"
done
echo "(median and slowest: from the start to the box on the screen; CPU ms: the median processor time used until then)"
if [ -z "${med[0]:-}" ] || [ -z "${med[1]:-}" ]; then
  echo "QuibraD.exe --info against the bare MessageBoxA program: no ratio, one of them showed no box"
  exit 1
fi
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
# QuibraD's box has the controls of common controls 6, which its manifest
# asks for (the system's own look on Windows), so the bare program with the
# same manifest is the one that shows the same box, and the one QuibraD is
# held to; the bare program without it shows the classic box, and the
# difference between the two bare programs is what that look costs.
held=1
[ -n "${med[2]:-}" ] && held=2
against=("" "the bare program without a manifest (the classic box)" "the bare program with QuibraD's manifest (the same box)")
for i in 2 1; do
  [ -n "${med[$i]:-}" ] || continue
  r=$(ratio "${med[0]}" "${med[$i]}")
  verdict=$(awk -v r="$r" -v l="$limit" 'BEGIN {print (r <= l ? "WITHIN" : "NOT within")}')
  paired=$(join <(sort -k1,1 "$work/result.0") <(sort -k1,1 "$work/result.$i") | awk '{printf "%.4f\n", $2 / $5}' |
    median)
  printf 'QuibraD.exe --info --text %s / %s: %s (%s / %s ms)%s\n' "$text" "${against[$i]}" "$r" "${med[0]}" \
    "${med[$i]}" "$([ "$i" = "$held" ] && echo ": $verdict $limit times the same box's bare program")"
  printf '  median of the runs'"'"' own ratios %.2f; processor time %s (%s / %s ms)\n' "$paired" \
    "$(ratio "${cpu[0]}" "${cpu[$i]}")" "${cpu[0]}" "${cpu[$i]}"
done
if [ "$held" = 2 ]; then
  printf 'the manifest'"'"'s look itself: the bare program with it / without it: %s (processor time %s)\n' \
    "$(ratio "${med[2]}" "${med[1]}")" "$(ratio "${cpu[2]}" "${cpu[1]}")"
fi
