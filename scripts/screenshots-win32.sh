#!/usr/bin/env bash
# Screenshots of the Windows program, taken under Wine on a virtual display
# by the UI-automation driver: the composer window, the message box of each
# style and the error message window with three history entries, into docs/.
#   scripts/screenshots-win32.sh [build folder]   (default: build/win64; build/win32 where 32-bit Wine runs)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=win32-display.sh
. "$root/scripts/win32-display.sh"
build=${1:-$root/build/win64}
program=$build/src/app/QuibraD.exe
demo=$build/tools/errordemo/ErrorWindowDemo.exe
longDemo=$build/tools/longdemo/LongTextDemo.exe
driver=$build/tools/uia/quibra-uia.exe
for f in "$program" "$demo" "$longDemo" "$driver"; do
  [ -f "$f" ] || { echo "screenshots-win32: $f is not built (cmake --build --preset win64)" >&2; exit 1; }
done

quibra_desktop_session shots "$program" || exit 1
mkdir -p "$work/run" "$work/out" "$root/docs"
timeout --kill-after=10 300 "$QUIBRA_WINE" "$driver" screenshots "$(quibra_winpath "$program")" "$(quibra_winpath "$demo")" \
  "$(quibra_winpath "$longDemo")" \
  "$(quibra_winpath "$work/run")" "$(quibra_winpath "$work/out")" || exit 1

# The driver writes plain PNG; packed again here, they take a tenth of the room.
for png in "$work/out"/*.png; do
  if command -v python3 >/dev/null; then
    python3 - "$png" <<'PY'
import struct, sys, zlib
path = sys.argv[1]
data = open(path, "rb").read()
chunks, at = [], 8
while at < len(data):
    n, kind = struct.unpack(">I4s", data[at:at + 8])
    chunks.append((kind, data[at + 8:at + 8 + n]))
    at += 12 + n
idat = zlib.compress(zlib.decompress(b"".join(d for k, d in chunks if k == b"IDAT")), 9)
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
out = data[:8] + chunk(b"IHDR", dict(chunks)[b"IHDR"]) + chunk(b"IDAT", idat) + chunk(b"IEND", b"")
open(path, "wb").write(out)
PY
  fi
  cp "$png" "$root/docs/"
  echo "screenshots-win32: docs/$(basename "$png")"
done
