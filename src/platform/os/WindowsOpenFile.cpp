// An open file (OsFile.h) on Windows. Sharing is CreateFileA's share mode,
// which the system enforces between every two opens of a file, in one
// process or in two.
#include <windows.h>

#include "platform/AccessMode.h"
#include "platform/OsFile.h"
#include "platform/os/WindowsFileErrors.h"
#include "platform/os/WindowsHandleIo.h"

namespace os {

using namespace windows;

IoStatus OsFile::Open(const std::string& path, uint8_t accessMode) {
  Close();
  AccessMode mode;
  if (IoStatus s = DecodeMode(accessMode, mode); !s.ok()) return s;
  DWORD access = (mode.read ? GENERIC_READ : 0) | (mode.write ? GENERIC_WRITE : 0);
  DWORD share = (mode.denyRead ? 0 : FILE_SHARE_READ) | (mode.denyWrite ? 0 : FILE_SHARE_WRITE);
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  handle_ = reinterpret_cast<intptr_t>(h);
  canWrite_ = mode.write;
  return {};
}

IoStatus OsFile::Close() {
  if (!IsOpen()) return {};
  HANDLE h = AsHandle(handle_);
  handle_ = kNoHandle;
  if (!CloseHandle(h)) return LastError();
  return {};
}

IoStatus OsFile::Append(std::string_view bytes) {
  if (!IsOpen()) return FromError(ERROR_INVALID_HANDLE);
  if (!canWrite_) return Denied("The file was opened for reading only");
  return WriteAt(AsHandle(handle_), bytes, true);
}

IoStatus OsFile::ReadAll(std::string& out) {
  if (!IsOpen()) return FromError(ERROR_INVALID_HANDLE);
  return ReadHandle(AsHandle(handle_), out);
}

IoStatus OsFile::Flush() {
  if (!IsOpen()) return FromError(ERROR_INVALID_HANDLE);
  if (!FlushFileBuffers(AsHandle(handle_))) return LastError();
  return {};
}

IoStatus OsFile::Size(uint64_t& size) {
  LARGE_INTEGER n;
  if (!IsOpen()) return FromError(ERROR_INVALID_HANDLE);
  if (!GetFileSizeEx(AsHandle(handle_), &n)) return LastError();
  size = static_cast<uint64_t>(n.QuadPart);
  return {};
}

}  // namespace os
