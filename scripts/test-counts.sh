#!/usr/bin/env bash
# Prints what each test program of a build ran in its last CTest run: the
# number of GoogleTest cases passed, or the checks of an end-to-end script.
# CTest shows a program's output only when it fails; under Wine it is worth
# seeing that every program really ran its cases. Exits 1, naming each one,
# when a program printed no count or ran no case.
#   scripts/test-counts.sh <build folder>
set -u
log="${1:?usage: test-counts.sh <build folder>}/Testing/Temporary/LastTest.log"
[ -f "$log" ] || { echo "test-counts: no test run in $1" >&2; exit 1; }
# A program that printed no count, or ran no case, fails the run: under Wine a
# program can end with status 0 before it ran anything.
awk -v build="$(basename "$1")" -v logfile="$log" '
  /^[0-9]+\/[0-9]+ Test: / { name = $3; next }
  name != "" && /^\[  PASSED  \] [0-9]+ tests?\./ { ran[name] = $4 " tests passed"; cases[name] = $4 + 0 }
  name != "" && /^\[  SKIPPED \] [0-9]+ tests?,/ { skipped[name] = ", " $4 " skipped" }
  name != "" && /crashed under Wine \(try 1 of 2\)/ { skipped[name] = skipped[name] ", CRASHED once under Wine and passed when run again" }
  name != "" && /^[0-9]+ passed, [0-9]+ failed$/ { ran[name] = $0; cases[name] = $1 + 0 }
  name != "" && /^[0-9]+ checks, [0-9]+ failed$/ { ran[name] = $0; cases[name] = $1 + 0 }
  name != "" && /^ok   / && !(name in ran) { ran[name] = "checked"; cases[name] = 1 }
  /^<end of output>/ && name != "" { order[++n] = name; if (!(name in ran)) ran[name] = "no count (see its output)"; name = "" }
  END {
    for (i = 1; i <= n; i++) printf "%s: %-22s %s%s\n", build, order[i], ran[order[i]], skipped[order[i]]
    bad = 0
    for (i = 1; i <= n; i++) {
      t = order[i]
      if (!(t in cases)) {
        printf "test-counts: FAILED: %s: %s printed no count of its cases (its output is in %s)\n", build, t, logfile > "/dev/stderr"
        bad++
      } else if (cases[t] == 0) {
        printf "test-counts: FAILED: %s: %s ran no case\n", build, t > "/dev/stderr"
        bad++
      }
    }
    if (n == 0) { printf "test-counts: FAILED: %s: the last test run holds no test program\n", build > "/dev/stderr"; bad++ }
    exit bad > 0 ? 1 : 0
  }
' "$log"
