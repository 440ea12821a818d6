#include "runtime/Ini.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/FileSystem.h"
#include "runtime/ErrorState.h"
#include "runtime/IniDocument.h"
#include "runtime/IoError.h"
#include "runtime/PerThread.h"
#include "runtime/Text.h"

namespace rt {
namespace {

// A file is parsed once and kept while its size, its time of last write and
// its identity stay the same, so that reading many entries of one file costs
// one parse, not one per entry. File times tick coarsely (a few milliseconds
// on common systems), so another writer's change made within one tick of our
// read could leave all three alike: a file whose time of writing lies within
// this long of the moment it was read is checked byte by byte on each use
// until that moment is further off. A time far ahead of the read (a file
// dated in the future) is as safe as one far behind: a later write would
// give the file the time of that write, not its old date.
// What this process wrote itself is trusted from the start: it knows the
// bytes, and another writer shows itself by a new size, time or identity.
// The one change that shows nothing is a rewrite in place, of the same size,
// within the clock tick of our own write.
// FIXME: on Windows the identity is only the time of creation, so a file
// rewritten in place with the same size and its old time of writing put back
// (a copy that keeps times) is not seen until the next write drops the cache.
constexpr int64_t kTimeTick = 100'000'000;  // nanoseconds
constexpr std::size_t kMostFiles = 32;
// A settings file is small; one larger than this is not one, and reading it
// whole could exhaust a 32-bit program's memory.
constexpr uint64_t kLargestFile = 64u << 20;

struct Cached {
  os::FileInfo info;
  int64_t readAt = 0;
  std::shared_ptr<const IniDocument> doc;
  bool written = false;  // by this process, so its bytes are known
};

struct Cache {
  std::mutex lock;
  std::unordered_map<std::string, Cached> files;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

std::atomic<uint64_t> fileReads{0};

// Writes are made one at a time in this process, so that two threads that
// change the same file do not lose each other's change.
std::mutex& WriteLock() {
  static std::mutex lock;
  return lock;
}

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Whether a file written at `modified` and read at `readAt` cannot have been
// changed since without a new time of writing.
bool Settled(int64_t modified, int64_t readAt) {
  return readAt - modified > kTimeTick || modified - readAt > kTimeTick;
}

bool Same(const os::FileInfo& a, const os::FileInfo& b) {
  return a.exists == b.exists && a.size == b.size && a.modified == b.modified && a.identity == b.identity;
}

os::IoStatus Denied() {
  os::IoStatus s;
  s.code = os::IoDenied;
  return s;
}

// The parsed file, or null when there is no file. Fails when the file exists
// but cannot be read.
os::IoStatus Load(const std::string& path, std::shared_ptr<const IniDocument>& doc) {
  doc.reset();
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> hold(cache.lock);
  os::FileInfo info;
  os::IoStatus status = os::Stat(path, info);
  if (!status.ok()) return status;
  if (!info.exists) {
    cache.files.erase(path);
    return {};
  }
  if (info.directory) return Denied();
  if (info.size > kLargestFile) {
    os::IoStatus s;
    s.code = os::IoOther;
    s.text = "The file is larger than 64 MB: too large for an INI file";
    return s;
  }

  auto it = cache.files.find(path);
  bool known = it != cache.files.end() && Same(it->second.info, info);
  if (known && (it->second.written || Settled(info.modified, it->second.readAt))) {
    doc = it->second.doc;
    return {};
  }
  int64_t readAt = Now();
  std::string bytes;
  fileReads.fetch_add(1, std::memory_order_relaxed);
  status = os::ReadAll(path, bytes);
  if (!status.ok()) return status;
  os::FileInfo after;
  bool settled = os::Stat(path, after).ok() && Same(info, after);
  if (known && it->second.doc->Holds(bytes)) {
    doc = it->second.doc;
  } else {
    doc = std::make_shared<const IniDocument>(std::move(bytes));
  }
  // A file that changed while it was read is parsed again next time.
  if (settled) {
    if (cache.files.size() >= kMostFiles && cache.files.count(path) == 0) cache.files.clear();
    cache.files[path] = Cached{info, readAt, doc, false};
  } else {
    cache.files.erase(path);
  }
  return {};
}

void DropCache() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> hold(cache.lock);
  cache.files.clear();
}

bool HasLineBreakOrNul(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

// The writes noted by the open batches of this thread, by file.
struct Pending {
  std::vector<IniDocument::Change> changes;
  std::unordered_map<std::string, std::size_t> latest;  // section and entry keys -> change
};

std::unordered_map<std::string, Pending>& Batches() { return PerThread<std::unordered_map<std::string, Pending>>(); }

// The files this thread holds snapshots of: few at a time, so a list.
struct Pinned {
  std::string path;
  int32_t depth = 0;
  bool loaded = false;
  std::shared_ptr<const IniDocument> doc;  // null: there was no file
};

std::vector<Pinned>& Snapshots() { return PerThread<std::vector<Pinned>>(); }

Pinned* FindPinned(std::string_view path) {
  for (Pinned& p : Snapshots())
    if (p.path == path) return &p;
  return nullptr;
}

std::string ChangeKey(std::string_view section, std::string_view entry) {
  return IniDocument::Key(section) + '\0' + IniDocument::Key(entry);
}

// Applies changes to the file as it is now, crash-safe; leaves the error
// state set as PutIni does.
bool WriteChanges(const std::string& path, const std::vector<IniDocument::Change>& changes) {
  // A snapshot of the file on this thread takes it anew, with this write.
  if (Pinned* pinned = FindPinned(path)) pinned->loaded = false;
  std::lock_guard<std::mutex> hold(WriteLock());
  // Writers in other processes take turns with us from the read to the
  // replace, so that none writes over a change it has not read.
  os::WriterTurn turn;
  if (!ReportIo(turn.Take(path))) return false;
  std::shared_ptr<const IniDocument> doc;
  // A file that exists but cannot be read is never overwritten.
  if (!ReportIo(Load(path, doc))) return false;
  if (!doc) doc = std::make_shared<const IniDocument>(std::string());
  std::string bytes;
  if (!doc->WithAll(changes, bytes)) {
    ClearError();
    return true;
  }
  os::FileInfo written;
  os::IoStatus status = os::AtomicReplace(path, bytes, &written);
  DropCache();
  if (status.ok() && written.exists) {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> hold(cache.lock);
    cache.files[path] = Cached{written, Now(), std::make_shared<const IniDocument>(std::move(bytes)), true};
  }
  return ReportIo(status);
}

}  // namespace

std::string IniRefusal(std::string_view section, std::string_view entry, std::string_view value) {
  std::string_view name = IniDocument::Trim(entry);
  std::string_view group = IniDocument::Trim(section);
  if (name.empty()) return "no entry name";
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(entry) || HasLineBreakOrNul(value))
    return "a line break or NUL in a name or value";
  if (group.find(']') != group.npos) return "\"]\" in a section name";
  if (name.find('=') != name.npos) return "\"=\" in an entry name";
  if (name.front() == '[' || name.front() == ';') return "an entry name starting with \"[\" or \";\"";
  return {};
}

IniBatch::IniBatch(std::string_view fileName) : path_(fileName) { outermost_ = Batches().try_emplace(path_).second; }

IniBatch::~IniBatch() { Commit(); }

bool IniBatch::Commit() {
  if (!outermost_ || done_) return true;
  done_ = true;
  auto node = Batches().extract(path_);
  if (node.mapped().changes.empty()) return true;
  return WriteChanges(path_, node.mapped().changes);
}

IniSnapshot::IniSnapshot(std::string_view fileName) : path_(fileName) {
  Pinned* pinned = FindPinned(path_);
  if (!pinned) pinned = &Snapshots().emplace_back(Pinned{path_});
  ++pinned->depth;
}

IniSnapshot::~IniSnapshot() {
  auto& snapshots = Snapshots();
  for (auto it = snapshots.begin(); it != snapshots.end(); ++it) {
    if (it->path == path_) {
      if (--it->depth == 0) snapshots.erase(it);
      return;
    }
  }
}

uint64_t IniFileReads() { return fileReads.load(std::memory_order_relaxed); }

std::string GetIni(std::string_view section, std::string_view entry, std::string_view defaultValue,
                   std::string_view fileName) {
  std::string fallback(IniDocument::Unquote(Clip(defaultValue)));
  if (fileName.empty()) {
    SetError(ErrInvalidArgument, "Invalid Argument: no INI file name");
    return fallback;
  }
  if (!Batches().empty()) {
    auto batch = Batches().find(std::string(fileName));
    if (batch != Batches().end()) {
      auto noted = batch->second.latest.find(ChangeKey(section, entry));
      if (noted != batch->second.latest.end()) return batch->second.changes[noted->second].value;
    }
  }
  Pinned* pinned = Snapshots().empty() ? nullptr : FindPinned(fileName);
  std::shared_ptr<const IniDocument> loaded;
  const IniDocument* doc = nullptr;
  if (pinned && pinned->loaded) {
    ClearError();
    doc = pinned->doc.get();
  } else {
    if (!ReportIo(Load(std::string(fileName), loaded))) return fallback;
    doc = loaded.get();
    if (pinned) {
      pinned->doc = std::move(loaded);
      pinned->loaded = true;
    }
  }
  if (!doc) return fallback;
  std::optional<std::string> value = doc->Find(section, entry);
  return value ? std::move(*value) : fallback;
}

bool PutIni(std::string_view section, std::string_view entry, std::string_view value, std::string_view fileName) {
  std::string refusal = fileName.empty() ? "no file name" : IniRefusal(section, entry, value);
  if (!refusal.empty()) {
    SetError(ErrInvalidArgument, "Invalid Argument: " + refusal);
    return false;
  }
  auto batch = Batches().find(std::string(fileName));
  if (batch != Batches().end()) {
    Pending& p = batch->second;
    p.latest[ChangeKey(section, entry)] = p.changes.size();
    p.changes.push_back({std::string(section), std::string(entry), std::string(value)});
    ClearError();
    return true;
  }
  return WriteChanges(std::string(fileName), {{std::string(section), std::string(entry), std::string(value)}});
}

}  // namespace rt
