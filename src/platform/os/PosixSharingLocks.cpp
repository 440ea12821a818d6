// Sharing between the openers of a file on POSIX systems (see the header).
#include "platform/os/PosixSharingLocks.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "platform/os/PosixFileErrors.h"

namespace os::posix {
namespace {

constexpr off_t kLockBase = off_t{1} << 62;

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

}  // namespace

struct flock LockOf(short type, LockByte byte) {
  struct flock l;
  std::memset(&l, 0, sizeof l);
  l.l_type = type;
  l.l_whence = SEEK_SET;
  l.l_start = kLockBase + byte;
  l.l_len = 1;
  return l;
}

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

IoStatus WriteUnlessDenied(int fd, const std::function<IoStatus()>& write) {
  if (!EnterGate(fd)) return Denied("The file's sharing could not be checked");
  bool denied = Held(fd, DeniesWrite);
  IoStatus status = denied ? IoStatus{} : write();
  LeaveGate(fd);
  if (denied) return Denied("The file is in use by another opener that does not allow writing");
  return status;
}

IoStatus RefuseIfWritingDenied(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  IoStatus status = WriteUnlessDenied(fd, [] { return IoStatus{}; });
  ::close(fd);
  return status;
}

}  // namespace os::posix
