// The file calls by path (FileSystem.h) on POSIX systems, but for the
// replace and the writer's turn (PosixReplace.cpp).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"
#include "platform/os/PosixDescriptorIo.h"
#include "platform/os/PosixFileErrors.h"
#include "platform/os/PosixSharingLocks.h"

namespace os {

using namespace posix;

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
  // Emptying the file is writing it.
  status = WriteUnlessDenied(fd, [&] { return ::ftruncate(fd, 0) != 0 ? FromErrno(errno, path) : IoStatus{}; });
  ::close(fd);
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

IoStatus Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return FromErrno(errno, path);
  return {};
}

}  // namespace os
