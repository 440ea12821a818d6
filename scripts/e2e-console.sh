#!/usr/bin/env bash
# QuibraD.com, the console program beside QuibraD.exe, end to end under Wine
# on a virtual display: what QuibraD.exe prints comes out of it, its exit
# status is QuibraD.exe's, the arguments arrive as they were given, blanks,
# quotes and backslashes too, and without QuibraD.exe beside it, it says so.
# Most checks type the command into a batch file that Windows' command
# prompt runs, as a person would at the prompt: `QuibraD ...` with the
# prompt's own redirections, in a folder whose path holds a blank.
#   scripts/e2e-console.sh <QuibraD.com> <quibra-uia.exe>
# The UI-automation driver (tools/uia) tells when a box is up.
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?usage: e2e-console.sh <QuibraD.com> <quibra-uia.exe>}
driver=${2:?usage: e2e-console.sh <QuibraD.com> <quibra-uia.exe>}
failures=0 checks=0

# shellcheck source=win32-display.sh
. "$here/win32-display.sh"
quibra_desktop_session console "$program" || exit 1
cd "$work" || exit 1
press() { quibra_press_on_box "$driver" "$1" "$work/ended"; }
folder="$work/Program Files/Quibra"
mkdir -p "$folder"
cp "$program" "$(dirname "$program")/QuibraD.exe" "$folder/"

# The program started by Wine itself, with these arguments.
by_wine() { timeout 120 "$QUIBRA_WINE" "$program" "$@"; }
# The command line (one string, typed after "QuibraD") run by the prompt in
# $folder, which redirects the program's output and error to files; their
# contents are then printed here and the status is the one the prompt saw.
# Whatever reaches Wine's own output, past the prompt's files, is dropped.
by_prompt() {
  rm -f "$folder"/{answer,said,status}.txt
  printf '@echo off\r\nQuibraD %s >answer.txt 2>said.txt\r\n>status.txt echo %%ERRORLEVEL%%\r\n' "$1" \
    >"$folder/check.bat"
  (cd "$folder" && timeout 120 "$QUIBRA_WINE" cmd /c check.bat >/dev/null 2>&1 </dev/null)
  cat "$folder/answer.txt" 2>/dev/null
  cat "$folder/said.txt" >&2 2>/dev/null
  local status
  status=$(tr -d '\r ' <"$folder/status.txt" 2>/dev/null)
  return "${status:-99}"
}

# expect <what> <status> <printed> <on standard error> <by_wine|by_prompt>
# <arguments>; the standard error is checked to hold the piece given (an
# empty one is in everything). A KEY in the environment is pressed once the
# box is up.
expect() {
  local what=$1 status=$2 printed=$3 said=$4
  shift 4
  local presser=
  rm -f "$work/ended"
  if [ -n "${KEY:-}" ]; then
    press "$KEY" &
    presser=$!
  fi
  local out err rc
  "$@" >"$work/stdout" 2>"$work/stderr"
  rc=$?
  : >"$work/ended"
  out=$(tr -d '\r' <"$work/stdout")
  err=$(tr -d '\r' <"$work/stderr")
  [ -n "$presser" ] && wait "$presser"
  checks=$((checks + 1))
  if [ "$rc" = "$status" ] && [ "$out" = "$printed" ] && [[ "$err" == *"$said"* ]]; then
    echo "ok   $what: status $rc, printed \"$out\"${said:+, said \"$said\"}"
  else
    failures=$((failures + 1))
    echo "FAIL $what: status $rc (wanted $status), printed \"$out\" (wanted \"$printed\"), said \"$err\"" \
      "(wanted it to hold \"$said\")"
  fi
}

version=$(by_wine --version | tr -d '\r')
checks=$((checks + 1))
if [[ "$version" =~ ^QuibraD\ [0-9]+\.[0-9]+\.[0-9]+$ ]]; then echo "ok   --version through a pipe: $version"; else
  failures=$((failures + 1)); echo "FAIL --version through a pipe printed \"$version\""; fi
KEY='' expect "arguments given one by one arrive unchanged" 64 "" 'unknown button set "x "y"  z\"' \
  by_wine --buttons 'x "y"  z\'
KEY='' expect "the prompt: --version into a file" 0 "$version" "" by_prompt '--version'
KEY='' expect "the prompt: a usage error's status and message" 64 "" 'unknown button set "maybe"' \
  by_prompt '--buttons maybe'
KEY='' expect "the prompt: blanks, quotes and a backslash arrive as typed" 64 "" 'unknown button set "x "y"  z\"' \
  by_prompt '--buttons "x \"y\"  z\\"'
KEY=Return expect "the prompt: Enter answers the question's default" 0 "YES" "" \
  by_prompt '--question --text "Go on?" --print'
KEY=Return expect "the prompt: a No is passed on, own status" 6 "NO" "" \
  by_prompt '--buttons yesnocancel --default no --text "Save the file?" --print'
# Alone in a folder, it has nothing to start.
mkdir -p "$work/alone"
cp "$program" "$work/alone/"
program="$work/alone/$(basename "$program")"
KEY='' expect "without QuibraD.exe beside it" 69 "" "could not be started" by_wine --version
lines=$(tr -d '\r' <"$work/stderr" | wc -l)
checks=$((checks + 1))
if [ "$lines" = 1 ]; then echo "ok   it says so in one line"; else
  failures=$((failures + 1)); echo "FAIL it said so in $lines lines: $(cat "$work/stderr")"; fi
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
