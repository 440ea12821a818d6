#pragma once
// The system's message box (MessageBoxA), with what it lacks added by a hook
// on the box once the system has laid it out: a time-out that counts down on
// the default button, the caller's captions for its buttons, and the desktop
// dialog tools' Escape rule (Escape and the close box answer Cancel also in a
// box without one).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32Api.h"
#include "runtime/MessageBox.h"

namespace win32 {

// MessageBoxA with a time-out (os::Win32Calls::countdownMessageBox),
// installed with the backend.
int32_t CountdownMessageBox(os::HWND owner, const char* text, const char* caption, os::UINT flags, os::UINT seconds);

// The command line's box in the system's MessageBoxA: false (and nothing
// shown) where MessageBoxA cannot show it (buttons of the caller's own, a
// check box); the answer as a ButtonSet value otherwise.
bool SystemRequestBox(const rt::BoxRequest& request, rt::BoxAnswer& answer);

}  // namespace win32
