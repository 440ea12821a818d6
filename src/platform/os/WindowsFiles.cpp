// File-system primitives for Windows.
//
// Sharing is CreateFileA's share mode, which the system enforces between
// every two opens of a file, in one process or in two. The atomic replace
// renames with MoveFileExA, which (unlike the C library's rename) replaces an
// existing target and, with MOVEFILE_WRITE_THROUGH, returns only once the
// rename is on disk.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "platform/AccessMode.h"
#include "platform/FileSystem.h"
#include "platform/OsFile.h"

namespace os {
namespace {

std::string SystemText(DWORD err) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, err, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "System error " + std::to_string(err);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

IoStatus FromError(DWORD err) {
  IoStatus s;
  s.osCode = static_cast<int32_t>(err);
  s.text = SystemText(err);
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
      s.code = IoNotFound;
      break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
      s.code = IoPathNotFound;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      s.code = IoDenied;
      break;
    case ERROR_TOO_MANY_OPEN_FILES:
      s.code = IoTooManyOpen;
      break;
    default:
      s.code = IoOther;
      break;
  }
  return s;
}

IoStatus LastError() { return FromError(GetLastError()); }

IoStatus Denied(const char* why) {
  IoStatus s;
  s.code = IoDenied;
  s.text = why;
  return s;
}

HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

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

std::atomic<unsigned> tempCounter{0};

// How long a writer waits for its turn at a file: many times one write of the
// largest settings file.
constexpr DWORD kTurnWaitMs = 10000;

// The prefix of every temporary file the atomic replace makes in a folder.
constexpr std::string_view kTempPrefix = "~qb";

// A temporary file nothing writes any more: its writer has ended, and it has
// not been written to for this long, which covers a writer this process
// cannot see (another machine sharing the folder).
constexpr uint64_t kStaleAfter = 60ull * 10000000;  // 100 ns steps

bool Ended(DWORD process) {
  HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (!h) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process; any other failure may be a live one
  DWORD code = STILL_ACTIVE;
  bool ended = GetExitCodeProcess(h, &code) && code != STILL_ACTIVE;
  CloseHandle(h);
  return ended;
}

// Removes what writers killed while writing left in the folder ("" or a path
// ending with its separator). Asked once per folder and process: a writer is
// killed seldom, and the folder may be large.
void RemoveStaleTemporaries(const std::string& folder) {
  static std::mutex lock;
  static std::set<std::string> swept;
  {
    std::lock_guard<std::mutex> hold(lock);
    if (!swept.insert(folder).second) return;
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + std::string(kTempPrefix) + "*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const uint64_t nowTicks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  do {
    std::string_view name = found.cFileName;
    // The system matches short names too, so the long name is checked again.
    if (name.size() < kTempPrefix.size() + 4 || !name.starts_with(kTempPrefix) || !name.ends_with(".tmp")) continue;
    const char* first = name.data() + kTempPrefix.size();
    const char* last = name.data() + name.size() - 4;
    uint32_t writer = 0;
    uint64_t number = 0;
    auto [dash, fault] = std::from_chars(first, last, writer);
    if (fault != std::errc() || dash == last || *dash != '-') continue;
    auto [end, tail] = std::from_chars(dash + 1, last, number);
    if (tail != std::errc() || end != last || writer == GetCurrentProcessId()) continue;
    const uint64_t written =
        (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
    if (nowTicks < written + kStaleAfter || !Ended(writer)) continue;
    // A file still open in another writer's hands is refused by the system.
    DeleteFileA((folder + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

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

std::string_view LineEnd() { return "\r\n"; }

namespace {

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

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

IoStatus AtomicReplace(const std::string& path, std::string_view bytes, FileInfo* written) {
  if (written) *written = FileInfo{};
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FromError(ERROR_ACCESS_DENIED);
    if (attributes & FILE_ATTRIBUTE_READONLY) return Denied("The file is read-only");
    // Replacing the file is writing it: an opener that denies writing
    // refuses it with a sharing violation.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
      return FromError(ERROR_SHARING_VIOLATION);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  // The temporary file lies in the target's folder (a rename never crosses
  // volumes) under a short name of its own, so that a target whose path is
  // near the 259-character limit still has room for it.
  const std::size_t slash = path.find_last_of("\\/:");
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string temp = folder + std::string(kTempPrefix) + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(tempCounter.fetch_add(1)) + ".tmp";
  HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  IoStatus status = WriteAt(h, bytes, false);
  if (status.ok() && !FlushFileBuffers(h)) status = LastError();
  BY_HANDLE_FILE_INFORMATION made;
  bool madeKnown = GetFileInformationByHandle(h, &made) != 0;
  if (!CloseHandle(h) && status.ok()) status = LastError();
  if (status.ok() && !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    status = LastError();
  if (!status.ok()) {
    DeleteFileA(temp.c_str());
    return status;
  }
  RemoveStaleTemporaries(folder);
  // The file at the path is still ours while it has our file's time of
  // creation and size (the identity Stat gives on Windows).
  FileInfo now;
  if (written && madeKnown && Stat(path, now).ok() && now.exists && now.identity == Ticks(made.ftCreationTime) &&
      now.size == bytes.size())
    *written = now;
  return status;
}

WriterTurn::~WriterTurn() {
  if (handle_ == kNone) return;
  HANDLE mutex = AsHandle(handle_);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

IoStatus WriterTurn::Take(const std::string& path) {
  // The mutex is named after the file's full path without case, as the file
  // system compares names; a hash keeps the name within the system's limit.
  char full[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof full) return {};
  uint64_t hash = 14695981039346656037ull;
  for (DWORD i = 0; i < n; ++i) {
    char c = full[i] == '/' ? '\\' : full[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, "Local\\QuibraIniWriter-%016llx", static_cast<unsigned long long>(hash));
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  if (!mutex) return LastError();
  // A writer killed during its turn leaves the mutex abandoned, which hands
  // it on; the file it was writing is still whole, as every write is.
  DWORD waited = WaitForSingleObject(mutex, kTurnWaitMs);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return Denied("Another program kept on writing the file");
  }
  handle_ = reinterpret_cast<intptr_t>(mutex);
  return {};
}

IoStatus Remove(const std::string& path) {
  if (!DeleteFileA(path.c_str())) {
    DWORD err = GetLastError();
    if (err != ERROR_FILE_NOT_FOUND) return FromError(err);
  }
  return {};
}

}  // namespace os
