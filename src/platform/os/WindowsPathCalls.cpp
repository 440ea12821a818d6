// The file calls by path (FileSystem.h) on Windows, but for the replace and
// the writer's turn (WindowsReplace.cpp).
#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/os/WindowsFileErrors.h"
#include "platform/os/WindowsHandleIo.h"

namespace os {

using namespace windows;

std::string_view LineEnd() { return "\r\n"; }

namespace {

// File times count 100 ns steps from 1601.
int64_t UnixNanoseconds(uint64_t ticks) { return (static_cast<int64_t>(ticks) - 116444736000000000LL) * 100; }

}  // namespace

IoStatus Stat(const std::string& path, FileInfo& info) {
  info = FileInfo{};
  // The query by path costs one step; a query through a handle would give
  // the file's index and time of last change too, but costs many times as
  // much, and a reader of settings asks on every read. The time of creation
  // tells a file from one put in its place by deleting and writing anew.
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return {};
    return FromError(err);
  }
  info.exists = true;
  info.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.modified = UnixNanoseconds(Ticks(data.ftLastWriteTime));
  info.identity = Ticks(data.ftCreationTime);
  return {};
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

IoStatus CreateEmpty(const std::string& path) {
  // Shares reading and writing with the openers that allow them; an opener
  // that denies writing makes this open fail with a sharing violation.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  IoStatus status;
  LARGE_INTEGER zero = {};
  if (!SetFilePointerEx(h, zero, nullptr, FILE_BEGIN) || !SetEndOfFile(h)) status = LastError();
  CloseHandle(h);
  return status;
}

IoStatus ReadAll(const std::string& path, std::string& out) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  IoStatus status = ReadHandle(h, out);
  CloseHandle(h);
  return status;
}

IoStatus Remove(const std::string& path) {
  if (!DeleteFileA(path.c_str())) {
    DWORD err = GetLastError();
    if (err != ERROR_FILE_NOT_FOUND) return FromError(err);
  }
  return {};
}

}  // namespace os
