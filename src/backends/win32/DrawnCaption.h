#pragma once
// A push button that draws another text than its window text: a box that
// counts down draws "Yes (28)" on its default button, while the window text,
// the name MSAA and UI Automation read, stays "Yes" (a changed name would be
// read out every second). The seconds reach a screen reader as the button's
// accessible description instead.
#include <string>

#include "backends/win32/Win32Headers.h"

namespace win32 {

// Draws `drawn` on the button from now on; its window text stays as it is.
// A `description` that is not empty becomes the button's accessible
// description; an empty one leaves the last as it was.
void DrawCaption(HWND button, const std::string& drawn, const std::string& description);

// What DrawCaption last drew on the button and described it with; empty for
// a button drawn by the system. Any thread of the process may ask.
std::string DrawnCaptionOf(HWND button);
std::string DescriptionOf(HWND button);

}  // namespace win32
