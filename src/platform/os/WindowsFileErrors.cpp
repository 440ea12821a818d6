// The system's errors as the runtime's file outcomes on Windows.
#include "platform/os/WindowsFileErrors.h"

#include <string>

namespace os::windows {
namespace {

std::string SystemText(DWORD err) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, err, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "System error " + std::to_string(err);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

IoStatus FromError(DWORD err) {
  IoStatus s;
  s.osCode = static_cast<int32_t>(err);
  s.text = SystemText(err);
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
      s.code = IoNotFound;
      break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
      s.code = IoPathNotFound;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      s.code = IoDenied;
      break;
    case ERROR_TOO_MANY_OPEN_FILES:
      s.code = IoTooManyOpen;
      break;
    default:
      s.code = IoOther;
      break;
  }
  return s;
}

IoStatus LastError() { return FromError(GetLastError()); }

}  // namespace os::windows
