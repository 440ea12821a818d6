#!/usr/bin/env bash
# scripts/test-counts.sh on CTest logs made here, one case per row: a Windows
# test program that printed no count or ran no case must fail the run, since
# under Wine such a program can end with status 0.
#   tests/scripts/test-counts-test.sh <scripts/test-counts.sh>
set -u
counts="${1:?usage: test-counts-test.sh <test-counts.sh>}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One program's part of CTest's LastTest.log: its name, then its output.
entry() {
  printf '1/1 Test: %s\nCommand: "%s.exe"\nOutput:\n----------\n' "$1" "$1"
  shift
  printf '%s\n' "$@"
  printf '<end of output>\nTest time =   1.00 sec\n----------\nTest Passed.\n'
}

passed_gtest=$(entry runtime_tests '[==========] 3 tests from 1 test suite ran.' '[  PASSED  ] 3 tests.')
one_gtest=$(entry app_tests '[  PASSED  ] 1 test.')
cut_short=$(entry file_tests '[ RUN      ] Files.OpenAndClose')
no_case=$(entry error_tests '[==========] 0 tests from 0 test suites ran.' '[  PASSED  ] 0 tests.')
all_skipped=$(entry error_tests '[  PASSED  ] 0 tests.' '[  SKIPPED ] 2 tests, listed below:')
e2e=$(entry windows_cli_end_to_end 'ok   --info: status 0' '7 passed, 0 failed')
e2e_none=$(entry windows_cli_end_to_end '0 passed, 0 failed')
uia_none=$(entry win32_end_to_end '0 checks, 0 failed')
file_check=$(entry windows_program_file 'ok   QuibraD.exe is a 64-bit Windows GUI program')
crashed=$(entry settings_tests 'settings_tests crashed under Wine (try 1 of 2)' '[  PASSED  ] 9 tests.')

checks=0
failures=0
# check <label> <expected status> <line expected in the output> <log>
check() {
  local label="$1" want="$2" line="$3" log="$4"
  rm -rf "$work/win64" && mkdir -p "$work/win64/Testing/Temporary"
  [ "$log" = "<none>" ] || printf '%s\n' "$log" >"$work/win64/Testing/Temporary/LastTest.log"
  local out rc
  checks=$((checks + 1))
  out=$(bash "$counts" "$work/win64" 2>&1)
  rc=$?
  if [ "$rc" != "$want" ] || ! grep -qF -- "$line" <<<"$out"; then
    echo "FAIL $label: status $rc (wanted $want), output:"
    sed 's/^/    /' <<<"$out"
    failures=$((failures + 1))
  else
    echo "ok   $label"
  fi
}

check "counted programs pass" 0 "win64: runtime_tests          3 tests passed" "$passed_gtest
$one_gtest
$e2e
$file_check"
check "an end-to-end script's count is shown" 0 "win64: windows_cli_end_to_end 7 passed, 0 failed" "$e2e"
check "a file check counts as run" 0 "win64: windows_program_file   checked" "$file_check"
check "a crash once is told" 0 "CRASHED once under Wine" "$crashed"
check "output cut short fails" 1 "test-counts: FAILED: win64: file_tests printed no count" "$passed_gtest
$cut_short"
check "no count fails beside good ones" 1 "win64: runtime_tests          3 tests passed" "$passed_gtest
$cut_short"
check "no GoogleTest case fails" 1 "test-counts: FAILED: win64: error_tests ran no case" "$no_case"
check "every case skipped fails" 1 "test-counts: FAILED: win64: error_tests ran no case" "$all_skipped"
check "no end-to-end case fails" 1 "test-counts: FAILED: win64: windows_cli_end_to_end ran no case" "$e2e_none"
check "no automation check fails" 1 "test-counts: FAILED: win64: win32_end_to_end ran no case" "$uia_none"
check "an empty run fails" 1 "test-counts: FAILED: win64: the last test run holds no test program" ""
check "no run at all fails" 1 "test-counts: no test run in" "<none>"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
