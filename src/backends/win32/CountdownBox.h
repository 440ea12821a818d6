#pragma once
// MessageBoxA with a time-out on Windows (os::Win32Calls::countdownMessageBox),
// installed with the backend.
#include <cstdint>

#include "platform/Win32Api.h"

namespace win32 {

int32_t CountdownMessageBox(os::HWND owner, const char* text, const char* caption, os::UINT flags, os::UINT seconds);

}  // namespace win32
