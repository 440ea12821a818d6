// An open file (OsFile.h) on POSIX systems: its sharing is kept with locks
// (PosixSharingLocks.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/AccessMode.h"
#include "platform/OsFile.h"
#include "platform/os/PosixDescriptorIo.h"
#include "platform/os/PosixFileErrors.h"
#include "platform/os/PosixSharingLocks.h"

namespace os {

using namespace posix;

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

}  // namespace os
