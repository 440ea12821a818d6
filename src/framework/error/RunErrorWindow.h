#pragma once
// The error message window over the manager's history, run modally.
#include <cstdint>
#include <string>

namespace quibra {

class ErrorManager;

// Shows the window with `caption` (empty keeps the window's own title), icon
// number `icon` (0: the warning icon), the buttons of `buttons` and
// `defaultButton` as default; returns the button pressed, or the default
// when the window is closed without one.
int32_t RunErrorWindow(ErrorManager& manager, const std::string& caption, int32_t icon, int32_t buttons,
                       int32_t defaultButton);

}  // namespace quibra
