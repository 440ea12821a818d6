# Shared by the scripts that run a Windows program under Wine (source it).
# Debian's `wine` command prefers 32-bit Wine whenever it is installed, even
# where the kernel cannot start it, so the scripts call the loader that fits
# the program: 32-bit Wine for a 32-bit program, 64-bit Wine for a 64-bit one.

# Prints the machine a Windows program is built for: i386 or x86-64.
quibra_pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$header" ] || return 1
  case $(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ') in
    014c) echo i386 ;;
    8664) echo x86-64 ;;
    *) return 1 ;;
  esac
}

# Picks Wine's loader for a program: exports QUIBRA_WINE (the loader) and
# WINEARCH (the kind of prefix it makes), and keeps Wine quiet.
quibra_use_wine() {
  local machine
  machine=$(quibra_pe_machine "$1") || { echo "wine-loader: $1 is not a Windows program" >&2; return 1; }
  if [ "$machine" = x86-64 ]; then
    QUIBRA_WINE=/usr/lib/wine/wine64
    WINEARCH=win64
  else
    QUIBRA_WINE=/usr/lib/wine/wine
    WINEARCH=win32
  fi
  if [ ! -x "$QUIBRA_WINE" ]; then
    echo "wine-loader: $QUIBRA_WINE is missing, so $(basename "$1") ($machine) cannot run here (make deps)" >&2
    return 1
  fi
  export QUIBRA_WINE WINEARCH WINELOADER=$QUIBRA_WINE
  export WINEDEBUG=-all
  # Wine names files in the Unix locale's character set: in one that is not
  # UTF-8 (the C locale of a bare environment) a name with an accented letter
  # cannot be made, so the programs run in C.UTF-8 then.
  [ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Runs quibra_run_checked (the caller's function) with the arguments given.
# Under Wine a program that crashes can still end with status 0, its output
# cut short: a crash is told by Wine's own report in the output and counts
# as a failure. A test program that crashes is run once more, and says so,
# since a rare crash at a thread's exit under Wine has been seen (see
# docs/testing.md); a second crash fails.
quibra_run_unless_crashed() {
  local log status try
  log=$(mktemp "${TMPDIR:-/tmp}/quibra-wine-run.XXXXXX")
  for try in 1 2; do
    quibra_run_checked "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    if ! grep -q -E '^(wine: Unhandled|Unhandled exception)' "$log"; then
      rm -f "$log"
      return "$status"
    fi
    echo "wine-run: $(basename "$exe") crashed under Wine (try $try of 2)"
  done
  rm -f "$log"
  return 1
}

# Makes a new Wine prefix in the given folder for the loader quibra_use_wine
# picked. Making one takes Wine a quarter of a minute (it copies more than a
# gigabyte of libraries into it), so it is made once for each Wine, kept in
# the user's cache folder, and each prefix after that is a copy of it: the
# libraries, programs and locale tables, which Wine only reads, are links to
# the same files; every other file (the registry, INI files, which Wine may
# rewrite in place) is the copy's own.
quibra_new_prefix() {
  local prefix=$1 made version
  version=$(WINEDEBUG=-all timeout 60 "$QUIBRA_WINE" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' _)
  made=${XDG_CACHE_HOME:-$HOME/.cache}/quibra/wine-prefix-$WINEARCH-${version:-unknown}
  mkdir -p "$(dirname "$made")" || return 1
  (
    flock 9
    if [ ! -f "$made/.made" ]; then
      rm -rf "$made"
      mkdir -p "$made"
      WINEPREFIX=$made timeout 300 "$QUIBRA_WINE" wineboot -i >/dev/null 2>&1 &&
        WINEPREFIX=$made timeout 60 wineserver -w && touch "$made/.made"
    fi
  ) 9>"$made.lock"
  [ -f "$made/.made" ] || return 1
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  # Links need one file system; elsewhere the prefix is copied whole.
  cp -al "$made" "$prefix" 2>/dev/null || { rm -rf "$prefix"; cp -a "$made" "$prefix"; return; }
  (cd "$made" && find . -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' ! -iname '*.sys' ! -iname '*.nls' \
    -print0 | xargs -0 -I{} cp -p --remove-destination {} "$prefix/{}")
}
