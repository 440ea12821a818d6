#pragma once
// The system's errors as the runtime's file outcomes (IoStatus), for the file
// calls on POSIX systems.
#include <string>

#include "platform/IoStatus.h"

namespace os::posix {

// The folder a path lies in: "." for a bare name, "/" at the root.
std::string Parent(const std::string& path);
// An errno value as an outcome; a missing file and a missing folder are told
// apart by looking at the path's folder.
IoStatus FromErrno(int err, const std::string& path);

}  // namespace os::posix
