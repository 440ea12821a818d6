#!/usr/bin/env bash
# Runs every fuzzer of the sanitizer build for a while and prints what each
# did: executions, coverage (edges reached, "cov") and features ("ft").
#   scripts/fuzz.sh <build folder> <seconds per fuzzer>
# Each fuzzer starts from its corpus in fuzz/corpus/<name>/ and from what the
# earlier runs found (kept in <build>/fuzz/found/<name>/, not in the tree).
# An input that breaks a promise or crashes is written to <build>/fuzz/ as
# crash-*, leak-* or timeout-*; once its fault is fixed, copy it into the
# fuzzer's corpus, so that every run of the tests tries it again.
set -u
build=${1:?usage: fuzz.sh <build folder> <seconds>}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer)}

failed=0
summary=()
for fuzzer in "$build"/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  found="$build/fuzz/found/$name"
  log="$build/fuzz/$name.log"
  mkdir -p "$found"
  echo "fuzz: $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/" "$found" "$root/fuzz/corpus/$name" >"$log" 2>&1
  status=$?
  # The last status line: "#123456 DONE cov: 812 ft: 2301 corp: 140/9Kb ... exec/s: 2057 ..."
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$')
  cov=$(grep -oE 'cov: [0-9]+' <<<"$last" | grep -oE '[0-9]+')
  ft=$(grep -oE 'ft: [0-9]+' <<<"$last" | grep -oE '[0-9]+')
  corp=$(grep -oE 'corp: [0-9]+' <<<"$last" | grep -oE '[0-9]+')
  rate=$(grep -oE '^stat::average_exec_per_sec: *[0-9]+' "$log" | grep -oE '[0-9]+$')
  if [ "$status" -ne 0 ]; then
    failed=1
    summary+=("$(printf '%-22s FAILED (status %s): see %s' "$name" "$status" "$log")")
    grep -E 'FUZZ CHECK FAILED|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|Test unit written' "$log" | head -5
  else
    summary+=("$(printf '%-22s %10s runs %8s/s  cov %5s  ft %6s  corpus %5s' "$name" "${runs:-?}" "${rate:-?}" \
      "${cov:-?}" "${ft:-?}" "${corp:-?}")")
  fi
done
echo
printf '%s\n' "${summary[@]}"
exit "$failed"
