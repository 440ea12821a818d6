#!/usr/bin/env bash
# Prints what each test program of a build ran in its last CTest run: the
# number of GoogleTest cases passed, or the checks of an end-to-end script.
# CTest shows a program's output only when it fails; under Wine it is worth
# seeing that every program really ran its cases.
#   scripts/test-counts.sh <build folder>
set -u
log="${1:?usage: test-counts.sh <build folder>}/Testing/Temporary/LastTest.log"
[ -f "$log" ] || { echo "test-counts: no test run in $1" >&2; exit 1; }
awk -v build="$(basename "$1")" '
  /^[0-9]+\/[0-9]+ Test: / { name = $3; next }
  name != "" && /^\[  PASSED  \] [0-9]+ tests?\./ { ran[name] = $4 " tests passed" }
  name != "" && /^\[  SKIPPED \] [0-9]+ tests?,/ { skipped[name] = ", " $4 " skipped" }
  name != "" && /crashed under Wine \(try 1 of 2\)/ { skipped[name] = skipped[name] ", CRASHED once under Wine and passed when run again" }
  name != "" && /^[0-9]+ passed, [0-9]+ failed$/ { ran[name] = $0 }
  name != "" && /^[0-9]+ checks, [0-9]+ failed$/ { ran[name] = $0 }
  name != "" && /^ok   / && !(name in ran) { ran[name] = "checked" }
  /^<end of output>/ && name != "" { order[++n] = name; if (!(name in ran)) ran[name] = "no count (see its output)"; name = "" }
  END { for (i = 1; i <= n; i++) printf "%s: %-22s %s%s\n", build, order[i], ran[order[i]], skipped[order[i]] }
' "$log"
