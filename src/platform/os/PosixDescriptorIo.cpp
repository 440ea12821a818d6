// Opening, reading and writing a file through its descriptor on POSIX systems.
#include "platform/os/PosixDescriptorIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/os/PosixFileErrors.h"

namespace os::posix {

int OpenRegular(const std::string& path, int flags, IoStatus& status, mode_t perms) {
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

}  // namespace os::posix
