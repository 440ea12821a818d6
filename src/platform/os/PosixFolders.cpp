#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Folders.h"

namespace os {

std::string UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return home && home[0] == '/' ? std::string(home) + "/.config" : std::string();
}

bool MakeFolders(const std::string& path, std::string& error) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (!folder.empty() && mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      error = folder + ": " + std::strerror(errno);
      return false;
    }
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    error = path + ": not a folder";
    return false;
  }
  return true;
}

bool CanWriteIn(const std::string& folder, std::string& error) {
  if (access(folder.c_str(), W_OK | X_OK) == 0) return true;
  error = folder + ": " + std::strerror(errno);
  return false;
}

}  // namespace os
