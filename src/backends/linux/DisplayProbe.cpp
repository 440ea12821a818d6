#include "backends/linux/DisplayProbe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace backend {
namespace {

constexpr int kConnectMs = 2000;  // a remote display that does not answer by then is none

bool ConnectUnix(const std::string& path, bool abstract) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) {
    close(fd);
    return false;
  }
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
  close(fd);
  return ok;
}

bool ConnectTcp(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool ok = false;
  for (addrinfo* a = found; a && !ok; a = a->ai_next) {
    const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) continue;
    if (connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
      ok = true;
    } else if (errno == EINPROGRESS) {
      pollfd wait{fd, POLLOUT, 0};
      int error = 0;
      socklen_t size = sizeof error;
      ok = poll(&wait, 1, kConnectMs) == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    close(fd);
  }
  freeaddrinfo(found);
  return ok;
}

}  // namespace

XDisplayAddress ParseXDisplay(const std::string& display) {
  XDisplayAddress address;
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos || colon + 1 >= display.size()) return address;
  char* end = nullptr;
  const long number = std::strtol(display.c_str() + colon + 1, &end, 10);
  if (end == display.c_str() + colon + 1 || (*end != 0 && *end != '.') || number < 0 || number > 65535 - 6000)
    return address;
  address.host = display.substr(0, colon);
  // "host/unix:N" and "unix:N" name this machine's socket too.
  if (address.host.size() >= 5 && address.host.compare(address.host.size() - 5, 5, "/unix") == 0) address.host = "unix";
  address.number = static_cast<int>(number);
  address.valid = true;
  return address;
}

bool XDisplayAnswers(const std::string& display) {
  const XDisplayAddress address = ParseXDisplay(display);
  if (!address.valid) return false;
  if (address.host.empty() || address.host == "unix") {
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(address.number);
    return ConnectUnix(path, true) || ConnectUnix(path, false) ||
           (address.host.empty() && ConnectTcp("localhost", 6000 + address.number));
  }
  return ConnectTcp(address.host, 6000 + address.number);
}

bool WaylandDisplayAnswers(const std::string& wayland, const std::string& runtimeDir) {
  if (wayland.empty()) return false;
  if (wayland[0] == '/') return ConnectUnix(wayland, false);
  return !runtimeDir.empty() && ConnectUnix(runtimeDir + "/" + wayland, false);
}

}  // namespace backend
