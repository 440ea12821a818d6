#!/usr/bin/env bash
# The Linux package as a user gets it: built by CPack from the Linux build,
# installed by dpkg into a throwaway root whose path holds a space, its
# program run from there (--version, then the command line end to end on a
# virtual display), removed again without a trace, and checked by lintian,
# which must find no error.
#   scripts/test-package.sh [build folder]   (default: build/linux)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/linux}
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/quibra_*.deb)
echo "test-package: $(basename "$deb")"

# A throwaway root with an empty package database: dpkg installs the package
# there as it would on a machine (its dependencies are this machine's).
root_dir=$(mktemp -d "${TMPDIR:-/tmp}/quibra package.XXXXXX")
trap 'rm -rf "$root_dir"' EXIT
mkdir -p "$root_dir/var/lib/dpkg/info" "$root_dir/var/lib/dpkg/updates" "$root_dir/var/lib/dpkg/triggers"
touch "$root_dir/var/lib/dpkg/status" "$root_dir/var/lib/dpkg/available"
in_root() { dpkg --root="$root_dir" --force-depends --force-script-chrootless "$@" >/dev/null 2>&1; }
in_root -i "$deb" || { echo "test-package: dpkg could not install the package" >&2; exit 1; }
for f in usr/bin/quibrad usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quibra/libquibra-qt.so \
  usr/share/applications/quibrad.desktop usr/share/icons/hicolor/scalable/apps/quibrad.svg \
  usr/share/icons/hicolor/48x48/apps/quibrad.png usr/share/man/man1/quibrad.1.gz \
  usr/share/metainfo/org.quibra.quibrad.metainfo.xml usr/share/doc/quibra/copyright; do
  [ -f "$root_dir/$f" ] || { echo "test-package: the package installed no /$f" >&2; exit 1; }
done
echo "test-package: depends on $(dpkg-deb -f "$deb" Depends)"
"$root_dir/usr/bin/quibrad" --version
bash "$root/scripts/e2e-cli.sh" "$root_dir/usr/bin/quibrad"

# Removed, it leaves nothing behind but dpkg's own records.
in_root -r quibra || { echo "test-package: dpkg could not remove the package" >&2; exit 1; }
left=$(cd "$root_dir" && find . -mindepth 1 -not -path './var' -not -path './var/lib' -not -path './var/lib/dpkg*')
[ -z "$left" ] || { echo "test-package: removing the package left: $left" >&2; exit 1; }
echo "test-package: removed, it leaves nothing behind"

# Errors fail; warnings and notes are shown for the next engineer to weigh.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "test-package: lintian found no error"
