#include "backends/win32/ControlCodes.h"

#include <string>

#include "runtime/Text.h"

namespace win32 {
namespace {

constexpr int32_t kArrowCursor = 32512;
// The system cursors are numbered 32512 (the arrow) to 32651 (help).
constexpr int32_t kLastCursor = 32651;

}  // namespace

int32_t CursorOfCode(std::string_view code) {
  std::string clipped = rt::Clip(code);
  if (clipped.size() != 4 || static_cast<uint8_t>(clipped[0]) != 0xFF || clipped[1] != 0x02) return kArrowCursor;
  int32_t number = (static_cast<uint8_t>(clipped[3]) << 8 | static_cast<uint8_t>(clipped[2])) - 1;
  return number >= kArrowCursor && number <= kLastCursor ? number : kArrowCursor;
}

int32_t KeyCodeOf(int32_t virtualKey, bool shift, bool ctrl, bool alt) {
  return (virtualKey & 0xFF) + (shift ? 256 : 0) + (ctrl ? 512 : 0) + (alt ? 1024 : 0);
}

}  // namespace win32
