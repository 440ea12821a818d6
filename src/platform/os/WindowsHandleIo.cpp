// Reading and writing a file through its handle on Windows.
#include "platform/os/WindowsHandleIo.h"

#include <algorithm>

#include "platform/os/WindowsFileErrors.h"

namespace os::windows {

IoStatus WriteAt(HANDLE h, std::string_view bytes, bool atEnd) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    BOOL ok;
    if (atEnd) {
      // An offset of all ones writes at the end of the file as one step,
      // like a file opened for appending.
      OVERLAPPED at = {};
      at.Offset = 0xFFFFFFFF;
      at.OffsetHigh = 0xFFFFFFFF;
      ok = WriteFile(h, bytes.data() + done, chunk, &written, &at);
    } else {
      ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr);
    }
    if (!ok) return LastError();
    if (written == 0) return FromError(ERROR_WRITE_FAULT);
    done += written;
  }
  return {};
}

IoStatus ReadHandle(HANDLE h, std::string& out) {
  std::string data;
  LARGE_INTEGER size;
  if (GetFileSizeEx(h, &size) && size.QuadPart > 0) data.reserve(static_cast<std::size_t>(size.QuadPart));
  char chunk[65536];
  uint64_t at = 0;
  for (;;) {
    OVERLAPPED from = {};
    from.Offset = static_cast<DWORD>(at);
    from.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD n = 0;
    if (!ReadFile(h, chunk, sizeof chunk, &n, &from)) {
      DWORD err = GetLastError();
      if (err == ERROR_HANDLE_EOF) break;
      return FromError(err);
    }
    if (n == 0) break;
    data.append(chunk, n);
    at += n;
  }
  out = std::move(data);
  return {};
}

}  // namespace os::windows
