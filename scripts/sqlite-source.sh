#!/usr/bin/env bash
# SQLite for the Windows builds, from Debian's own source package:
#   scripts/sqlite-source.sh OUT_DIR
# leaves OUT_DIR/sqlite3.c and OUT_DIR/sqlite3.h (the one-file form of SQLite,
# made from the package's sources with its Debian patches applied) and
# OUT_DIR/VERSION (the package version). Nothing is done when they are there.
#
# The source comes through a source entry of our own (an apt configuration
# under OUT_DIR/../apt): the machine's package lists are not touched. apt
# checks the .dsc against the archive's signed index, and this script checks
# every file the .dsc names against its SHA-256 sum before unpacking.
# The version is the one the Linux build links (libsqlite3-dev), so both
# builds keep records with the same SQLite; if the archive no longer has it,
# the newest bookworm one is taken and said.
set -euo pipefail

out=${1:?usage: sqlite-source.sh OUT_DIR}
if [ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ] && [ -f "$out/VERSION" ]; then
  exit 0
fi

work=$(dirname "$out")/apt
rm -rf "$work"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/src"
cat >"$work/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOF
apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/nonexistent
          -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o Debug::NoLocking=1
          -o APT::Sandbox::User=root -qq)

echo "sqlite-source: fetching Debian's sqlite3 source package"
apt-get "${apt_opts[@]}" update
cd "$work/src"
want=$(dpkg-query -W -f='${source:Version}' libsqlite3-dev 2>/dev/null || true)
if [ -z "$want" ] || ! apt-get "${apt_opts[@]}" source --download-only "sqlite3=$want" >/dev/null 2>&1; then
  echo "sqlite-source: sqlite3 ${want:-(no libsqlite3-dev)} is not in the archive; taking the newest" >&2
  apt-get "${apt_opts[@]}" source --download-only sqlite3 >/dev/null
fi
dsc=$(ls ./*.dsc)

# Every file of the package against the .dsc's SHA-256 sums.
awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on && NF == 3 {print $1 "  " $3}' "$dsc" >sums
[ -s sums ] || { echo "sqlite-source: $dsc lists no SHA-256 sums" >&2; exit 1; }
sha256sum --check --quiet sums

# The maintainer's signature is not checked here (that needs Debian's keyring,
# and apt has already tied the .dsc to the signed archive): dpkg-source says
# so on its error output, which is shown only when it fails.
if ! dpkg-source --require-strong-checksums -x "$dsc" tree >unpack.log 2>&1; then
  cat unpack.log >&2
  exit 1
fi
version=$(sed -n 's/^Version: //p' "$dsc")

# The one-file form: configure for this machine and make only sqlite3.c
# (the sources' own tools, built with the host compiler, and tclsh).
cd tree
./configure --disable-tcl >/dev/null
make sqlite3.c >/dev/null
mkdir -p "$out"
cp sqlite3.c sqlite3.h "$out/"
echo "$version" >"$out/VERSION"
cd /
rm -rf "$work"
echo "sqlite-source: SQLite from Debian's sqlite3 $version in $out"
