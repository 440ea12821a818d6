// The system's errors as the runtime's file outcomes on POSIX systems.
#include "platform/os/PosixFileErrors.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace os::posix {

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

}  // namespace os::posix
