// The backend's readings of the runtime's codes, which need no window:
// cursor codes and key codes.
#include <gtest/gtest.h>

#include "backends/win32/ControlCodes.h"
#include "runtime/MessageBox.h"

namespace {

TEST(ControlCodes, CursorCodesNameSystemCursorsOrTheArrow) {
  struct Case {
    const char* label;
    std::string code;
    int32_t expected;
  } cases[] = {
      {"the normal cursor", "", 32512},
      {"the hourglass (32514)", std::string("\xFF\x02\x03\x7F", 4), 32514},
      {"the cross (32515), padded", std::string("\xFF\x02\x04\x7F  ", 6), 32515},
      {"an icon code is no cursor", rt::IconHand, 32512},
      {"a number beyond the system's cursors", std::string("\xFF\x02\x00\x10", 4), 32512},
      {"text", "wait", 32512},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(win32::CursorOfCode(c.code), c.expected);
  }
}

TEST(ControlCodes, KeyCodesAreVirtualKeysWithModifierBits) {
  struct Case {
    const char* label;
    int32_t vk;
    bool shift, ctrl, alt;
    int32_t expected;
  } cases[] = {
      {"Tab", 9, false, false, false, 9},
      {"Enter", 13, false, false, false, 13},
      {"Escape", 27, false, false, false, 27},
      {"Shift+Tab", 9, true, false, false, 265},
      {"Ctrl+H", 'H', false, true, false, 512 + 'H'},
      {"Alt+N", 'N', false, false, true, 1024 + 'N'},
      {"Ctrl+Alt+Shift+F2", 0x71, true, true, true, 0x71 + 256 + 512 + 1024},
      {"a value beyond a byte keeps its low byte", 0x1F1, false, false, false, 0xF1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(win32::KeyCodeOf(c.vk, c.shift, c.ctrl, c.alt), c.expected);
  }
}

}  // namespace
