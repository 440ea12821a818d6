#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/Folders.h"

namespace os {

std::string UserConfigFolder() {
  for (const char* name : {"LOCALAPPDATA", "APPDATA"})
    if (const char* folder = std::getenv(name); folder && *folder) return folder;
  return {};
}

bool MakeFolders(const std::string& path, std::string& error) {
  for (std::size_t cut = path.find_first_of("/\\", 3);; cut = path.find_first_of("/\\", cut + 1)) {
    const std::string folder = path.substr(0, cut);
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      error = folder + ": cannot be made (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    if (cut == std::string::npos) break;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = path + ": not a folder";
    return false;
  }
  return true;
}

bool CanWriteIn(const std::string& folder, std::string& error) {
  // Windows' rights are not told by attributes: a file made there and
  // removed again tells.
  char probe[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "qui", 0, probe) == 0) {
    error = folder + ": cannot be written (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  DeleteFileA(probe);
  return true;
}

}  // namespace os
