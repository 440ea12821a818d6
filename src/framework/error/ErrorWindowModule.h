#pragma once
// The error window module: prepares the shared error window once at start
// and releases it at the end, and binds the error log to its driver.
#include <cstdint>

namespace rt {
class Window;
}

namespace quibra {

// The prepared error window, shared by every run of the error message window.
extern rt::Window* SharedErrorWindow;

// 0 = start, non-zero = end.
void ErrorWindowModuleSetup(int32_t end);

}  // namespace quibra
