#pragma once
// How the runtime's codes read on Windows: cursor codes and key codes. Kept
// apart from the window code so that they can be checked without a window.
#include <cstdint>
#include <string_view>

namespace win32 {

// The system cursor a cursor code names, as a resource number: the code is
// FF 02 followed by the cursor's number plus one, low byte first, as icon
// codes are FF 01 followed by the icon's number plus one. An empty code, or
// one that names no system cursor, is the normal arrow (32512).
int32_t CursorOfCode(std::string_view code);

// The runtime's code of a key: the virtual-key number (so Tab is 9, Enter 13
// and Escape 27, and the mouse buttons are 1 and 2), plus 256 with Shift,
// 512 with Ctrl and 1024 with Alt.
int32_t KeyCodeOf(int32_t virtualKey, bool shift, bool ctrl, bool alt);

}  // namespace win32
