#pragma once
// File-system primitives by path. Every call reports its outcome as an
// IoStatus with the runtime's error numbers (2 not found, 3 path not found,
// 5 access denied or a sharing conflict, 90 anything else with the system's
// words).
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/IoStatus.h"

namespace os {

struct FileInfo {
  bool exists = false;
  bool directory = false;
  uint64_t size = 0;
  // The last write, in nanoseconds since 1970.
  int64_t modified = 0;
  // What tells one file at a path from its replacement: the inode and the
  // time of its last change on POSIX systems, the time of creation on
  // Windows (which therefore misses a rewrite in place that keeps both the
  // size and the time of last writing).
  uint64_t identity = 0;
};

// The line end of text files the system writes for people to read: CRLF on
// Windows, LF elsewhere.
std::string_view LineEnd();

// A missing file is not a failure: info.exists is then false.
IoStatus Stat(const std::string& path, FileInfo& info);
bool Exists(const std::string& path);

// Makes the file empty, creating it when it is missing. Refused (IoDenied)
// while another opener denies writing, since emptying it is a write.
IoStatus CreateEmpty(const std::string& path);

// Reads the whole file. A directory is refused with IoDenied.
IoStatus ReadAll(const std::string& path, std::string& out);

// Replaces the file's content so that, whatever happens on the way (the
// program killed, the power gone), the file holds either the old content or
// the new one: the bytes go to a temporary file in the same folder, which is
// flushed to disk and then renamed over the target. A target that is
// read-only is refused with IoDenied, on every system alike.
// With `written`, it receives what Stat gives for the new file, asked right
// after the rename and kept only while the path still names the file this
// call wrote (exists is false otherwise), so that the caller can tell its own
// file from a later writer's.
IoStatus AtomicReplace(const std::string& path, std::string_view bytes, FileInfo* written = nullptr);

// A refusal of AtomicReplace not listed above: a target that another opener
// holds through OsFile with writing denied is refused with IoDenied, on every
// system alike (Windows refuses such a write with a sharing violation).

// One writer's turn at a file among all the writers that go through this
// layer, in this process and in others: taken before the file is read and
// kept until it has been replaced, so that two writers never both change the
// version they read and one of the changes is lost. The file itself is
// replaced by every write, so the turn cannot be a lock held on it alone: on
// POSIX systems it is a record lock on the file, taken again when the file
// was replaced while the writer waited; on Windows, where a file held open
// cannot be replaced, it is a named mutex of the file's full path (so it
// binds the programs of one machine).
class WriterTurn {
 public:
  WriterTurn() = default;
  // Ends the turn.
  ~WriterTurn();
  WriterTurn(const WriterTurn&) = delete;
  WriterTurn& operator=(const WriterTurn&) = delete;

  // Waits for the turn, a few seconds at most (another writer keeps it for
  // one write); IoDenied when it does not come. A path that cannot be
  // written at all gets no turn and no error: its write reports the fault.
  // On POSIX systems a missing file is made, empty, to hold the lock.
  IoStatus Take(const std::string& path);

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
};

// Removes a file; a missing one is not a failure.
IoStatus Remove(const std::string& path);

}  // namespace os
