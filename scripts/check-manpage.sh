#!/usr/bin/env bash
# The manual page names every option that the program's --help lists, so that
# the two cannot drift apart.
#   scripts/check-manpage.sh <quibrad> <quibrad.1>
set -euo pipefail
program=${1:?usage: check-manpage.sh <quibrad> <quibrad.1>}
page=${2:?usage: check-manpage.sh <quibrad> <quibrad.1>}
options=$("$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "check-manpage: --help lists no option" >&2; exit 1; }
missing=0
for option in $options; do
  if ! grep -qF -- "$(sed 's/-/\\-/g' <<<"$option")" "$page"; then
    echo "check-manpage: $page does not name $option" >&2
    missing=$((missing + 1))
  fi
done
[ "$missing" = 0 ] && echo "check-manpage: all $(wc -w <<<"$options") options of --help are in the page"
[ "$missing" = 0 ]
