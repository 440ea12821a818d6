#!/usr/bin/env bash
# The Windows package: one zip holding the 32-bit program (the product, at
# the top) and the 64-bit one (in x64\), each with QuibraD.com beside it (the
# console program that runs it and waits), stripped, the README and the
# licence, into build/package/. With --test, also unpacks it into a folder with a space in
# its name and starts the 64-bit programs from there under 64-bit Wine.
#   scripts/package-windows.sh [--test]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(Quibra .*VERSION \([0-9.]*\)).*/\1/p' "$root/CMakeLists.txt")
win32=$root/build/win32/src/app/QuibraD.exe
win64=$root/build/win64/src/app/QuibraD.exe
for f in "$win32" "$win64" "${win32%.exe}.com" "${win64%.exe}.com"; do
  [ -f "$f" ] || { echo "package-windows: $f is not built (cmake --build --preset ${f#"$root"/build/})" >&2; exit 1; }
done
zip=$root/build/package/QuibraD-$version-windows.zip
mkdir -p "$(dirname "$zip")"
# The programs go into the zip stripped of their symbols, each by the strip
# of its own architecture's toolchain; the builds keep theirs for debugging.
staged=$(mktemp -d "${TMPDIR:-/tmp}/quibra-package.XXXXXX")
trap 'rm -rf "$staged"' EXIT
mkdir -p "$staged/x64"
for arch in i686 x86_64; do
  strip=$arch-w64-mingw32-strip
  command -v "$strip" >/dev/null || { echo "package-windows: $strip is missing (make deps)" >&2; exit 1; }
  if [ $arch = i686 ]; then from=$win32 to=$staged; else from=$win64 to=$staged/x64; fi
  "$strip" -o "$to/QuibraD.exe" "$from"
  "$strip" -o "$to/QuibraD.com" "${from%.exe}.com"
done
python3 - "$zip" "$staged" "$root/README.md" "$root/LICENSE" <<'PY'
import sys, zipfile
out, staged, readme, licence = sys.argv[1:]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name in ("QuibraD.exe", "QuibraD.com", "x64/QuibraD.exe", "x64/QuibraD.com"):
        z.write(staged + "/" + name, "QuibraD/" + name)
    z.write(readme, "QuibraD/README.md")
    z.write(licence, "QuibraD/LICENSE.txt")
PY
rm -rf "$staged"
trap - EXIT
echo "package-windows: build/package/$(basename "$zip")"
[ "${1:-}" = --test ] || exit 0

# shellcheck source=win32-display.sh
. "$root/scripts/win32-display.sh"
quibra_desktop_session zip "$win64" || exit 1
folder="$work/Program Files/Quibra"
mkdir -p "$folder"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$folder"
for f in QuibraD.exe QuibraD.com x64/QuibraD.exe x64/QuibraD.com README.md LICENSE.txt; do
  [ -f "$folder/QuibraD/$f" ] || { echo "package-windows: the zip has no QuibraD/$f" >&2; exit 1; }
done
bash "$root/scripts/check-windows-program.sh" "$folder/QuibraD/QuibraD.exe" i386
bash "$root/scripts/check-windows-program.sh" "$folder/QuibraD/x64/QuibraD.exe" x86-64
bash "$root/scripts/check-windows-program.sh" "$folder/QuibraD/QuibraD.com" i386 console
bash "$root/scripts/check-windows-program.sh" "$folder/QuibraD/x64/QuibraD.com" x86-64 console
said=$(cd "$folder/QuibraD/x64" && timeout 120 "$QUIBRA_WINE" "$folder/QuibraD/x64/QuibraD.exe" --version | tr -d '\r')
if [ "$said" != "QuibraD $version" ]; then
  echo "package-windows: the 64-bit program in \"$folder\" said \"$said\", not \"QuibraD $version\"" >&2
  exit 1
fi
echo "package-windows: the 64-bit program runs from \"Program Files/Quibra\" under Wine: $said"
# The console program beside it, which runs it: QuibraD.exe's message and
# its status come through (an unknown button set is a usage error, 64).
status=0
said=$(cd "$folder/QuibraD/x64" && timeout 120 "$QUIBRA_WINE" "$folder/QuibraD/x64/QuibraD.com" --buttons maybe 2>&1 |
  tr -d '\r') || status=$?
if [ "$status" != 64 ] || [[ "$said" != *'unknown button set "maybe"'* ]]; then
  echo "package-windows: the 64-bit QuibraD.com in \"$folder\" ended with $status (not 64) saying \"$said\"" >&2
  exit 1
fi
echo "package-windows: the 64-bit QuibraD.com runs it from there: status 64 and \"${said%% (*}\" for a usage error"
