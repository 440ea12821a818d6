#!/usr/bin/env bash
# A terminal box's first frame beside whiptail's, on the same terminal: tmux,
# 80 by 24, no display. Each round types the command into a shell waiting in
# the terminal and reads the screen back every few milliseconds until the
# box's buttons stand on it; then Enter answers it. The same polling times
# both, so it adds the same to each (a capture takes a few milliseconds).
#   bench/terminal-first-frame.sh <quibrad> [rounds]
# Needs tmux and Debian's whiptail (scripts/install-deps.sh --bench).
set -euo pipefail
program=$(realpath "${1:?usage: terminal-first-frame.sh <quibrad> [rounds]}")
rounds=${2:-20}
command -v tmux >/dev/null || { echo "terminal-first-frame: tmux is not installed" >&2; exit 1; }
command -v whiptail >/dev/null || { echo "terminal-first-frame: whiptail is not installed" >&2; exit 1; }
socket="quibra-bench-$$"
trap 'tmux -L "$socket" kill-server 2>/dev/null || true' EXIT
tmux -L "$socket" -f /dev/null new-session -d -x 80 -y 24 -s bench "env -u DISPLAY -u WAYLAND_DISPLAY PS1='$ ' sh"
tmux -L "$socket" set-option -g escape-time 0

# first_frame <what shows the box is up> <command...>: milliseconds to the frame.
first_frame() {
  local marker=$1
  shift
  tmux -L "$socket" send-keys -t bench "clear" Enter
  sleep 0.2
  local start end
  start=$(date +%s%N)
  tmux -L "$socket" send-keys -t bench "$*" Enter
  until tmux -L "$socket" capture-pane -p -t bench | grep -qF -- "$marker"; do :; done
  end=$(date +%s%N)
  tmux -L "$socket" send-keys -t bench Enter
  sleep 0.2
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for what in quibrad whiptail; do
  for ((i = 0; i < rounds; i++)); do
    if [ "$what" = quibrad ]; then
      first_frame "]]" "$program" --question --text "'Delete the old logs?'"
    else
      first_frame "<Yes>" whiptail --yesno "'Delete the old logs?'" 8 40
    fi
  done >"/tmp/quibra-bench-$$-$what"
  printf '%-9s first frame: median %s ms, fastest %s ms, slowest %s ms (%d rounds)\n' "$what" \
    "$(median <"/tmp/quibra-bench-$$-$what")" "$(sort -n "/tmp/quibra-bench-$$-$what" | head -1)" \
    "$(sort -n "/tmp/quibra-bench-$$-$what" | tail -1)" "$rounds"
  rm -f "/tmp/quibra-bench-$$-$what"
done
