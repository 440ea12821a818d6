#!/usr/bin/env bash
# The command line of a real program, end to end: the program (quibrad, or
# QuibraD.exe under Wine) shows its box on a virtual display, a person's key
# answers it, and the printed name and the exit status are checked.
#   scripts/e2e-cli.sh <quibrad | QuibraD.exe quibra-uia.exe>
# Under Wine the UI-automation driver (tools/uia) tells when the box is up.
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?usage: e2e-cli.sh <quibrad | QuibraD.exe quibra-uia.exe>}
failures=0 checks=0

if [[ "$program" == *.exe ]]; then
  # shellcheck source=win32-display.sh
  . "$here/win32-display.sh"
  quibra_desktop_session cli "$program" || exit 1
  cd "$work" || exit 1
  driver=${2:?usage: e2e-cli.sh QuibraD.exe quibra-uia.exe}
  run() { timeout 120 "$QUIBRA_WINE" "$program" "$@"; }
  press() { quibra_press_on_box "$driver" "$1" "$work/ended"; }
else
  # shellcheck source=win32-display.sh
  . "$here/win32-display.sh"
  work=$(mktemp -d "${TMPDIR:-/tmp}/quibra-cli.XXXXXX")
  trap 'quibra_stop_xvfb; rm -rf "$work"' EXIT
  quibra_start_xvfb || exit 1
  export QT_QPA_PLATFORM=xcb
  cd "$work" || exit 1
  run() { timeout 60 "$program" "$@"; }
  press() { sleep 2; xdotool key --clearmodifiers "$1"; }
fi

# expect <what> <status> <printed> -- <arguments>; a KEY in the environment
# is pressed once the box is up.
expect() {
  local what=$1 status=$2 printed=$3
  shift 4
  local presser=
  rm -f "$work/ended"
  if [ -n "${KEY:-}" ]; then
    press "$KEY" &
    presser=$!
  fi
  local out rc
  run "$@" >"$work/stdout" 2>"$work/stderr"
  rc=$?
  : >"$work/ended"
  out=$(tr -d '\r' <"$work/stdout")
  [ -n "$presser" ] && wait "$presser"
  checks=$((checks + 1))
  if [ "$rc" = "$status" ] && [ "$out" = "$printed" ]; then
    echo "ok   $what: status $rc, printed \"$out\""
  else
    failures=$((failures + 1))
    echo "FAIL $what: status $rc (wanted $status), printed \"$out\" (wanted \"$printed\"); stderr: $(cat "$work/stderr")"
  fi
}

version=$(run --version | tr -d '\r')
checks=$((checks + 1))
if [[ "$version" =~ ^[A-Za-z]+\ [0-9]+\.[0-9]+\.[0-9]+$ ]]; then echo "ok   --version: $version"; else
  failures=$((failures + 1)); echo "FAIL --version printed \"$version\""; fi
KEY= expect "an unknown button set is a usage error" 64 "" -- --buttons maybe
KEY=Return expect "Enter answers the native question's default" 0 "YES" -- --question --text "Go on?" --print
KEY=Escape expect "Escape answers the runtime box's Cancel" 1 "CANCEL" -- --style runtime --buttons okcancel \
  --text "Go on?" --print
KEY=Return expect "the default by name, own status" 6 "NO" -- --buttons yesnocancel --default no --text "Save?" --print
# zenity's and kdialog's forms, as their scripts use them: the caller's
# captions on the system's own box, added buttons (on Windows the runtime's
# box draws those), and the tools' Escape.
KEY=Escape expect "zenity: Escape in an OK box is 1" 1 "" -- --info --text "Saved." --ok-label Fine
KEY=Return expect "zenity: Enter on a renamed Yes is 0" 0 "" -- --question --text "Go on?" --ok-label Sure \
  --cancel-label Never
KEY=Return expect "zenity: --switch, Enter presses the first added button and prints it" 1 "Later" -- --question \
  --switch --extra-button Later --extra-button Never --text "When?"
KEY=Escape expect "kdialog: Escape in an OK box is 2" 2 "" -- --msgbox "Saved."
KEY=Return expect "kdialog: Continue is 0" 0 "" -- --warningcontinuecancel "Replace it?" --continue-label Replace
# Nobody answers: each style counts down on its default and presses it.
for style in native runtime; do
  KEY= expect "the $style box's time runs out on its default" 7 "CANCEL" -- --style "$style" --timeout 1 \
    --buttons yesnocancel --default cancel --text "Save?" --print
done
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
