// File-system primitives for POSIX systems.
//
// Sharing is kept with open file description locks (F_OFD_SETLK), which
// belong to one open of a file, so two opens conflict whether they are in one
// process or in two, and a killed process loses its locks with its files.
// Four reserved bytes far past any real data say what the openers hold: a
// shared lock on "has read", "has write", "denies read" or "denies write" for
// each opener that has or denies that access. A new opener checks the bytes
// that matter to it and takes its own under a gate (an exclusive flock of the
// file), so that two openers cannot both check before either takes. A fifth
// byte, locked exclusively, is a writer's turn at a file it replaces.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <set>
#include <string_view>

#include "platform/AccessMode.h"
#include "platform/FileSystem.h"
#include "platform/OsFile.h"

namespace os {
namespace {

constexpr off_t kLockBase = off_t{1} << 62;
enum LockByte : off_t { HasRead = 0, HasWrite = 1, DeniesRead = 2, DeniesWrite = 3, WriterTurnByte = 4 };
// How long a writer waits for its turn at a file: many times one write of the
// largest settings file.
constexpr auto kTurnWait = std::chrono::seconds(10);

std::string Parent(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

IoStatus FromErrno(int err, const std::string& path) {
  IoStatus s;
  s.osCode = err;
  s.text = std::strerror(err);
  switch (err) {
    case ENOENT: {
      // A missing file and a missing folder are different faults to a user.
      struct stat st;
      bool folder = ::stat(Parent(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      s.code = folder ? IoNotFound : IoPathNotFound;
      break;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
      s.code = IoPathNotFound;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EWOULDBLOCK:
      s.code = IoDenied;
      break;
    case EMFILE:
    case ENFILE:
      s.code = IoTooManyOpen;
      break;
    default:
      s.code = IoOther;
      break;
  }
  return s;
}

IoStatus Denied(const char* why) {
  IoStatus s;
  s.code = IoDenied;
  s.text = why;
  return s;
}

struct flock LockOf(short type, LockByte byte) {
  struct flock l;
  std::memset(&l, 0, sizeof l);
  l.l_type = type;
  l.l_whence = SEEK_SET;
  l.l_start = kLockBase + byte;
  l.l_len = 1;
  return l;
}

// True when some other open of the file holds a lock on the byte.
bool Held(int fd, LockByte byte) {
  struct flock l = LockOf(F_WRLCK, byte);
  if (::fcntl(fd, F_OFD_GETLK, &l) != 0) return true;  // cannot tell: assume the worst
  return l.l_type != F_UNLCK;
}

bool Take(int fd, LockByte byte) {
  struct flock l = LockOf(F_RDLCK, byte);
  return ::fcntl(fd, F_OFD_SETLK, &l) == 0;
}

// The gate is held only while an opener checks and takes its bytes, a few
// system calls, so a short wait is enough even on a busy machine. A gate that
// stays shut (another program holding a lock of its own on the whole file, an
// odd file system) refuses the open after that wait rather than holding up
// the program: the error log is opened for each message, and a message must
// not wait for a program that keeps its lock.
constexpr auto kGateWait = std::chrono::milliseconds(50);

bool EnterGate(int fd) {
  const auto until = std::chrono::steady_clock::now() + kGateWait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= until) return false;
    struct timespec pause {
      0, 1000000
    };
    ::nanosleep(&pause, nullptr);
  }
}

void LeaveGate(int fd) { ::flock(fd, LOCK_UN); }

IoStatus ClaimSharing(int fd, const AccessMode& mode) {
  if (!EnterGate(fd)) return Denied("The file's sharing could not be checked");
  bool conflict = (mode.read && Held(fd, DeniesRead)) || (mode.write && Held(fd, DeniesWrite)) ||
                  (mode.denyRead && Held(fd, HasRead)) || (mode.denyWrite && Held(fd, HasWrite));
  bool taken = !conflict && (!mode.read || Take(fd, HasRead)) && (!mode.write || Take(fd, HasWrite)) &&
               (!mode.denyRead || Take(fd, DeniesRead)) && (!mode.denyWrite || Take(fd, DeniesWrite));
  LeaveGate(fd);
  if (conflict) return Denied("The file is in use by another opener whose sharing does not allow this access");
  if (!taken) return Denied("The file's sharing could not be recorded");
  return {};
}

IoStatus WriteAll(int fd, std::string_view bytes, const std::string& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, path);
    }
    done += static_cast<std::size_t>(n);
  }
  return {};
}

IoStatus ReadFd(int fd, std::string& out, const std::string& path) {
  std::string data;
  struct stat st;
  if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[65536];
  off_t at = 0;
  for (;;) {
    ssize_t n = ::pread(fd, chunk, sizeof chunk, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, path);
    }
    if (n == 0) break;
    data.append(chunk, static_cast<std::size_t>(n));
    at += n;
  }
  out = std::move(data);
  return {};
}

int OpenRegular(const std::string& path, int flags, IoStatus& status, mode_t perms = 0666) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, perms);
  if (fd < 0) {
    status = FromErrno(errno, path);
    return -1;
  }
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    status = FromErrno(EISDIR, path);
    return -1;
  }
  return fd;
}

std::atomic<unsigned> tempCounter{0};

FileInfo InfoOf(const struct stat& st) {
  FileInfo info;
  info.exists = true;
  info.directory = S_ISDIR(st.st_mode);
  info.size = static_cast<uint64_t>(st.st_size);
  info.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  uint64_t change = static_cast<uint64_t>(st.st_ctim.tv_sec) * 1000000000u + static_cast<uint64_t>(st.st_ctim.tv_nsec);
  info.identity = (static_cast<uint64_t>(st.st_ino) * 0x9E3779B97F4A7C15ull) ^ static_cast<uint64_t>(st.st_dev) ^
                  (change * 0xC2B2AE3D27D4EB4Full);
  return info;
}

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

// Whether another opener holds the file with writing denied: replacing it
// is writing it.
IoStatus RefuseIfWritingDenied(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};  // the replace itself reports what is wrong
  if (!EnterGate(fd)) {
    ::close(fd);
    return Denied("The file's sharing could not be checked");
  }
  bool denied = Held(fd, DeniesWrite);
  LeaveGate(fd);
  ::close(fd);
  if (denied) return Denied("The file is in use by another opener that does not allow writing");
  return {};
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

IoStatus OsFile::Open(const std::string& path, uint8_t accessMode) {
  Close();
  AccessMode mode;
  if (IoStatus s = DecodeMode(accessMode, mode); !s.ok()) return s;
  // Read access is always asked of the system: a shared lock needs it, and
  // the sharing bytes are shared locks.
  IoStatus status;
  int fd = OpenRegular(path, mode.write ? (O_RDWR | O_APPEND) : O_RDONLY, status);
  if (fd < 0) return status;
  status = ClaimSharing(fd, mode);
  if (!status.ok()) {
    ::close(fd);
    return status;
  }
  handle_ = fd;
  canWrite_ = mode.write;
  return {};
}

IoStatus OsFile::Close() {
  if (!IsOpen()) return {};
  int fd = static_cast<int>(handle_);
  handle_ = kNoHandle;
  if (::close(fd) != 0 && errno != EINTR) return FromErrno(errno, "");
  return {};
}

IoStatus OsFile::Append(std::string_view bytes) {
  if (!IsOpen()) return FromErrno(EBADF, "");
  if (!canWrite_) return Denied("The file was opened for reading only");
  return WriteAll(static_cast<int>(handle_), bytes, "");
}

IoStatus OsFile::ReadAll(std::string& out) {
  if (!IsOpen()) return FromErrno(EBADF, "");
  return ReadFd(static_cast<int>(handle_), out, "");
}

IoStatus OsFile::Flush() {
  if (!IsOpen()) return FromErrno(EBADF, "");
  if (::fsync(static_cast<int>(handle_)) != 0) return FromErrno(errno, "");
  return {};
}

IoStatus OsFile::Size(uint64_t& size) {
  struct stat st;
  if (!IsOpen() || ::fstat(static_cast<int>(handle_), &st) != 0) return FromErrno(IsOpen() ? errno : EBADF, "");
  size = static_cast<uint64_t>(st.st_size);
  return {};
}

std::string_view LineEnd() { return "\n"; }

IoStatus Stat(const std::string& path, FileInfo& info) {
  info = FileInfo{};
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return FromErrno(errno, path);
  }
  info = InfoOf(st);
  return {};
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

IoStatus CreateEmpty(const std::string& path) {
  IoStatus status;
  int fd = OpenRegular(path, O_RDWR | O_CREAT, status);
  if (fd < 0) return status;
  if (!EnterGate(fd)) {
    ::close(fd);
    return Denied("The file's sharing could not be checked");
  }
  bool denied = Held(fd, DeniesWrite);
  if (!denied && ::ftruncate(fd, 0) != 0) status = FromErrno(errno, path);
  LeaveGate(fd);
  ::close(fd);
  if (denied) return Denied("The file is in use by another opener that does not allow writing");
  return status;
}

IoStatus ReadAll(const std::string& path, std::string& out) {
  IoStatus status;
  int fd = OpenRegular(path, O_RDONLY, status);
  if (fd < 0) return status;
  status = ReadFd(fd, out, path);
  ::close(fd);
  return status;
}

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

IoStatus Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return FromErrno(errno, path);
  return {};
}

}  // namespace os
