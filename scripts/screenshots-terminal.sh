#!/usr/bin/env bash
# The box of a command line drawn in a terminal (tmux, 80 by 24, no display),
# its screen read back and rendered to docs/linux-terminal.png with
# ImageMagick, line drawing as box characters.
#   scripts/screenshots-terminal.sh [quibrad]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/linux/src/app/quibrad}")
socket="quibra-shot-$$"
text=$(mktemp)
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -f "$text"' EXIT
tmux -L "$socket" -f /dev/null new-session -d -x 72 -y 14 -s shot \
  "env -u DISPLAY -u WAYLAND_DISPLAY $program --buttons yesnocancel --icon question --default cancel --title Backup \
   --timeout 30 'Back up now?|It takes a minute, and the laptop should stay on the mains.'; sleep 30"
for _ in $(seq 100); do
  tmux -L "$socket" capture-pane -p -t shot | grep -qF ']]' && break
  sleep 0.05
done
tmux -L "$socket" capture-pane -e -p -t shot | python3 -c '
import re, sys
lines = {"l": "\u250c", "k": "\u2510", "m": "\u2514", "j": "\u2518", "q": "\u2500", "x": "\u2502"}
for row in sys.stdin.read().split("\n"):
    out, acs = "", False
    for part in re.split(r"(\x1b\[[0-9;]*m|\x0e|\x0f)", row):
        if part == "\x0e": acs = True
        elif part == "\x0f": acs = False
        elif not part.startswith("\x1b"): out += "".join(lines.get(c, c) for c in part) if acs else part
    print(out)
' >"$text"
# One annotation a row, each at its own place: a label would trim blanks.
args=()
row=0
while IFS= read -r line; do
  args+=(-annotate "+12+$((12 + 18 * row))" "$line")
  row=$((row + 1))
done < <(sed -e '/[^ ]/,$!d' "$text" | sed -e :a -e '/^ *$/{$d;N;ba' -e '}')
convert -size "$((24 + 72 * 10))x$((24 + 18 * row))" xc:'#1e1e1e' -fill '#e8e8e8' -font DejaVu-Sans-Mono \
  -pointsize 16 -gravity NorthWest "${args[@]}" -trim +repage -bordercolor '#1e1e1e' -border 12 \
  "$root/docs/linux-terminal.png"
echo "screenshots-terminal: docs/linux-terminal.png"
