# Shared by the start-up benchmarks (source it): the programs take turns at
# being timed, and the median and the highest of what was measured.
#
#   bench_take_turns SCRIPT RUNS WARMUPS WORK WATCH...
# times each command line of the array `commands` (split at blanks) RUNS
# times, after WARMUPS untimed runs of each (fonts and libraries into the page
# cache), the programs taking turns in a new random order each run, so that a
# slow moment hurts all alike and none always follows the same one. Each runs
# in WORK/run with WATCH... in front of it (map_watch and its arguments); a
# timed run appends "<run> <WATCH's line>" to WORK/result.<i>. A command whose
# entry in the array `installed` is 0 is left out; a run that shows no window
# is said on standard error, after SCRIPT's name, with the name in `names`.
bench_take_turns() {
  local script=$1 runs=$2 warmups=$3 work=$4 i run result
  shift 4
  local -a cmd
  for _ in $(seq "$warmups"); do
    for i in "${!commands[@]}"; do
      [ "${installed[$i]:-1}" = 1 ] || continue
      read -ra cmd <<<"${commands[$i]}"
      (cd "$work/run" && "$@" "${cmd[@]}" >/dev/null 2>&1) || true
    done
  done
  for run in $(seq "$runs"); do
    for i in $(shuf -i "0-$((${#commands[@]} - 1))"); do
      [ "${installed[$i]:-1}" = 1 ] || continue
      read -ra cmd <<<"${commands[$i]}"
      if result=$(cd "$work/run" && "$@" "${cmd[@]}" 2>"$work/errors"); then
        echo "$run $result" >>"$work/result.$i"
      else
        echo "$script: ${names[$i]} showed no window in run $run: $(tail -1 "$work/errors")" >&2
      fi
    done
  done
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR) print (NR % 2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2); else print "-"}'; }
highest() { sort -n | tail -1; }
