#pragma once
// How the runtime's codes read on Windows: icon codes, cursor codes, key
// codes and the range a spin field's picture allows. Kept apart from the
// window code so that they can be checked without a window.
#include <cstdint>
#include <string_view>

namespace win32 {

enum class StockIcon { None, Hand, Question, Exclamation, Asterisk };

// The icon an image control shows for its text: one of the four icon codes
// (a shorter code padded with spaces counts as the code); anything else,
// IconNone included, shows no icon.
StockIcon IconOfCode(std::string_view code);

// The system cursor a cursor code names, as a resource number: the code is
// FF 02 followed by the cursor's number plus one, low byte first, as icon
// codes are FF 01 followed by the icon's number plus one. An empty code, or
// one that names no system cursor, is the normal arrow (32512).
int32_t CursorOfCode(std::string_view code);

// The runtime's code of a key: the virtual-key number (so Tab is 9, Enter 13
// and Escape 27, and the mouse buttons are 1 and 2), plus 256 with Shift,
// 512 with Ctrl and 1024 with Alt.
int32_t KeyCodeOf(int32_t virtualKey, bool shift, bool ctrl, bool alt);

// The values a spin field's up-down arrows step through: a number picture
// "n<d>" allows 0 to d nines ("n-<d>" from minus that), counting only the
// whole digits of "n<d>.<f>"; any other picture allows 0 to 32767.
struct SpinRange {
  int32_t low = 0;
  int32_t high = 0;
  bool operator==(const SpinRange&) const = default;
};
SpinRange SpinRangeOf(std::string_view picture);

}  // namespace win32
