#!/usr/bin/env bash
# Windows drawn in a terminal (tmux, no display), each screen read back and
# rendered with ImageMagick, line drawing as box characters:
# docs/linux-terminal.png, the box of a command line, and
# docs/linux-terminal-composer.png, the composer (`quibrad --terminal`) with
# a button set and an icon chosen by keys.
#   scripts/screenshots-terminal.sh [quibrad]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/linux/src/app/quibrad}")
socket=""
text=$(mktemp)
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -f "$text"' EXIT

# start <columns> <rows> <command>: a server of its own for each shot, as one
# that is ending may still hold the old name.
start() {
  socket="quibra-shot-$$-$1"
  tmux -L "$socket" -f /dev/null new-session -d -x "$1" -y "$2" -s shot "$3"
}

wait_for() {
  for _ in $(seq 100); do
    tmux -L "$socket" capture-pane -p -t shot | grep -qF -- "$1" && return 0
    sleep 0.05
  done
  echo "screenshots-terminal: \"$1\" never showed" >&2
  return 1
}

# render <png> <columns>: the screen as it stands now.
render() {
  local png=$1 columns=$2
  tmux -L "$socket" capture-pane -e -p -t shot | python3 -c '
import re, sys
lines = {"l": "\u250c", "k": "\u2510", "m": "\u2514", "j": "\u2518", "q": "\u2500", "x": "\u2502", "g": "\u00b1"}
for row in sys.stdin.read().split("\n"):
    out, acs = "", False
    for part in re.split(r"(\x1b\[[0-9;]*m|\x0e|\x0f)", row):
        if part == "\x0e": acs = True
        elif part == "\x0f": acs = False
        elif not part.startswith("\x1b"): out += "".join(lines.get(c, c) for c in part) if acs else part
    print(out)
' >"$text"
  # One annotation a row, each at its own place: a label would trim blanks.
  local args=() row=0 line
  while IFS= read -r line; do
    args+=(-annotate "+12+$((12 + 18 * row))" "$line")
    row=$((row + 1))
  done < <(sed -e '/[^ ]/,$!d' "$text" | sed -e :a -e '/^ *$/{$d;N;ba' -e '}')
  convert -size "$((24 + columns * 10))x$((24 + 18 * row))" xc:'#1e1e1e' -fill '#e8e8e8' -font DejaVu-Sans-Mono \
    -pointsize 16 -gravity NorthWest "${args[@]}" -trim +repage -bordercolor '#1e1e1e' -border 12 "$root/docs/$png"
  echo "screenshots-terminal: docs/$png"
  tmux -L "$socket" kill-server
}

start 72 14 \
  "env -u DISPLAY -u WAYLAND_DISPLAY $program --buttons yesnocancel --icon question --default cancel --title Backup \
   --timeout 30 'Back up now?|It takes a minute, and the laptop should stay on the mains.'; sleep 30"
wait_for ']]'
render linux-terminal.png 72

start 80 24 \
  "env -u DISPLAY -u WAYLAND_DISPLAY $program --terminal; sleep 30"
wait_for ']]'
tmux -L "$socket" send-keys -t shot Enter
wait_for 'Show Message'
for key in Tab Tab Down Down Tab Down Down Tab; do
  tmux -L "$socket" send-keys -t shot "$key"
  sleep 0.05
done
wait_for '(*) ICON:Question'
render linux-terminal-composer.png 80
