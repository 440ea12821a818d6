#pragma once
// The system's errors as the runtime's file outcomes (IoStatus), for the file
// calls on Windows.
#include <windows.h>

#include "platform/IoStatus.h"

namespace os::windows {

// A system error code as an outcome, with the system's words for it.
IoStatus FromError(DWORD err);
// The calling thread's last error as an outcome.
IoStatus LastError();

}  // namespace os::windows
