// Replacing a file on Windows: the crash-safe replace, which renames with
// MoveFileExA (unlike the C library's rename it replaces an existing target
// and, with MOVEFILE_WRITE_THROUGH, returns only once the rename is on disk),
// and a writer's turn at a file, a named mutex of its path.
#include <windows.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/os/WindowsFileErrors.h"
#include "platform/os/WindowsHandleIo.h"

namespace os {

using namespace windows;

namespace {

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
  const uint64_t nowTicks = Ticks(now);
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
    const uint64_t written = Ticks(found.ftLastWriteTime);
    if (nowTicks < written + kStaleAfter || !Ended(writer)) continue;
    // A file still open in another writer's hands is refused by the system.
    DeleteFileA((folder + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

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

}  // namespace os
