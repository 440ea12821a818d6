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

// The shared error window, prepared again when it is missing: a program that
// did not run the module set-up, or released every window since, still gets
// its window.
rt::Window* PreparedErrorWindow();

// 0 = start, non-zero = end.
void ErrorWindowModuleSetup(int32_t end);

}  // namespace quibra
