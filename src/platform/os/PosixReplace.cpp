// Replacing a file on POSIX systems: the crash-safe replace (a temporary
// file in the same folder, flushed, renamed over the target) and a writer's
// turn at a file, a lock on a reserved byte of it (PosixSharingLocks.h).
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <set>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/os/PosixDescriptorIo.h"
#include "platform/os/PosixFileErrors.h"
#include "platform/os/PosixSharingLocks.h"

namespace os {

using namespace posix;

namespace {

// How long a writer waits for its turn at a file: many times one write of the
// largest settings file.
constexpr auto kTurnWait = std::chrono::seconds(10);

std::atomic<unsigned> tempCounter{0};

// The path with every symbolic link along its last part followed, to the
// file that the last link names, whether or not that file exists.
IoStatus LinkTarget(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return {};
    std::string named(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(target.c_str(), named.data(), named.size());
    if (n < 0) return FromErrno(errno, target);
    // A link changed while it was read is read again.
    if (static_cast<std::size_t>(n) == named.size()) continue;
    named.resize(static_cast<std::size_t>(n));
    target = named.front() == '/' ? named : Parent(target) + "/" + named;
  }
  return FromErrno(ELOOP, path);
}

// A temporary file nothing writes any more: its writer has ended, and it has
// not been written to for this long. The wait covers a writer that this
// process cannot see (another machine sharing the folder, another process
// namespace), which is still writing or flushing its file.
constexpr int64_t kStaleAfter = 60;  // seconds

// The writer's process number in a name of the form
// "<target>.<process>-<number>.tmp", or 0 when the name is not of that form.
int64_t WriterOf(std::string_view name, std::string_view target) {
  constexpr std::string_view kEnd = ".tmp";
  if (name.size() < target.size() + 1 + kEnd.size() || !name.starts_with(target) || name[target.size()] != '.' ||
      !name.ends_with(kEnd))
    return 0;
  const char* first = name.data() + target.size() + 1;
  const char* last = name.data() + name.size() - kEnd.size();
  int64_t writer = 0;
  uint64_t number = 0;
  auto [dash, fault] = std::from_chars(first, last, writer);
  if (fault != std::errc() || dash == last || *dash != '-') return 0;
  auto [end, tail] = std::from_chars(dash + 1, last, number);
  if (tail != std::errc() || end != last) return 0;
  return writer;
}

// Removes what writers killed while writing the target left behind. Asked
// once per target and process: a writer is killed seldom, and the folder may
// be large.
void RemoveStaleTemporaries(const std::string& target) {
  static std::mutex lock;
  static std::set<std::string> swept;
  {
    std::lock_guard<std::mutex> hold(lock);
    if (!swept.insert(target).second) return;
  }
  const std::string folder = Parent(target);
  const std::size_t slash = target.find_last_of('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const int64_t self = ::getpid();
  while (struct dirent* entry = ::readdir(dir)) {
    const int64_t writer = WriterOf(entry->d_name, base);
    if (writer <= 0 || writer == self || writer > INT32_MAX) continue;
    // A process that exists, or that this process may not signal, may be
    // writing still.
    if (::kill(static_cast<pid_t>(writer), 0) == 0 || errno != ESRCH) continue;
    const std::string path = folder + "/" + entry->d_name;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (std::time(nullptr) - static_cast<int64_t>(st.st_mtim.tv_sec) < kStaleAfter) continue;
    ::unlink(path.c_str());
  }
  ::closedir(dir);
}

}  // namespace

IoStatus AtomicReplace(const std::string& path, std::string_view bytes, FileInfo* written) {
  if (written) *written = FileInfo{};
  // The file a link names is replaced, not the link, and is made when it is
  // missing.
  std::string target;
  if (IoStatus s = LinkTarget(path, target); !s.ok()) return s;
  // A new file is made as every program makes one (0666 less the umask); a
  // file that is replaced keeps its own permissions.
  mode_t perms = 0666;
  bool replacing = false;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return FromErrno(EISDIR, target);
    if ((st.st_mode & 0222) == 0) return Denied("The file is read-only");
    perms = st.st_mode & 07777;
    replacing = true;
    // Replacing the file is writing it.
    if (IoStatus s = RefuseIfWritingDenied(target); !s.ok()) return s;
  }
  std::string temp =
      target + "." + std::to_string(::getpid()) + "-" + std::to_string(tempCounter.fetch_add(1)) + ".tmp";
  IoStatus status;
  int fd = OpenRegular(temp, O_WRONLY | O_CREAT | O_EXCL, status, perms);
  if (fd < 0) return status;
  if (replacing) ::fchmod(fd, perms);
  status = WriteAll(fd, bytes, temp);
  if (status.ok() && ::fsync(fd) != 0) status = FromErrno(errno, temp);
  struct stat made;
  bool madeKnown = ::fstat(fd, &made) == 0;
  if (::close(fd) != 0 && status.ok()) status = FromErrno(errno, temp);
  if (status.ok() && ::rename(temp.c_str(), target.c_str()) != 0) status = FromErrno(errno, target);
  if (!status.ok()) {
    ::unlink(temp.c_str());
    return status;
  }
  // The rename changes the file's time of last change, so the file is asked
  // again; it is still ours while its inode is the one written.
  struct stat now;
  if (written && madeKnown && ::stat(target.c_str(), &now) == 0 && now.st_ino == made.st_ino &&
      now.st_dev == made.st_dev)
    *written = InfoOf(now);
  RemoveStaleTemporaries(target);
  // The rename itself is durable only once the folder is flushed.
  int dir = ::open(Parent(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

WriterTurn::~WriterTurn() {
  if (handle_ != kNone) ::close(static_cast<int>(handle_));
}

IoStatus WriterTurn::Take(const std::string& path) {
  std::string target;
  if (!LinkTarget(path, target).ok()) return {};
  const auto until = std::chrono::steady_clock::now() + kTurnWait;
  for (;;) {
    int fd = ::open(target.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return {};
    for (;;) {
      struct flock turn = LockOf(F_WRLCK, WriterTurnByte);
      if (::fcntl(fd, F_OFD_SETLK, &turn) == 0) break;
      const bool busy = errno == EAGAIN || errno == EACCES || errno == EINTR;
      if (!busy) {
        // A file system without such locks writes without turns, as before.
        ::close(fd);
        return {};
      }
      if (std::chrono::steady_clock::now() >= until) {
        ::close(fd);
        return Denied("Another program kept on writing the file");
      }
      struct timespec pause {
        0, 1000000
      };
      ::nanosleep(&pause, nullptr);
    }
    // The writer before us may have replaced the file while we waited: our
    // lock then lies on the old one, which no one reads any more.
    struct stat held, now;
    if (::fstat(fd, &held) == 0 && ::stat(target.c_str(), &now) == 0 && held.st_ino == now.st_ino &&
        held.st_dev == now.st_dev) {
      handle_ = fd;
      return {};
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= until) return Denied("Another program kept on writing the file");
  }
}

}  // namespace os
