// The backend's readings of the runtime's codes and units, which need no
// window: dialog units, list formats, icon and cursor codes, key codes and
// spin ranges.
#include <gtest/gtest.h>

#include "backends/win32/ControlCodes.h"
#include "backends/win32/DialogUnits.h"
#include "runtime/MessageBox.h"

namespace {

using win32::BaseUnits;

TEST(DialogUnits, BaseUnitsComeFromTheLettersAverageAndTheHeight) {
  struct Case {
    const char* label;
    int32_t letters, height;
    BaseUnits expected;
  } cases[] = {
      {"MS Sans Serif 8 at 96 dpi", 323, 13, {6, 13}},
      {"an average of 6.5 rounds up", 338, 13, {7, 13}},
      {"an average just below 6.5 rounds down", 337, 13, {6, 13}},
      {"a wide font", 460, 16, {9, 16}},
      {"a font that measures nothing falls back", 0, 0, {6, 13}},
      {"a negative height falls back", 323, -13, {6, 13}},
      {"a tiny font keeps one pixel", 20, 4, {1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(win32::BaseUnitsFromFont(c.letters, c.height), c.expected);
  }
}

TEST(DialogUnits, UnitsBecomePixelsRoundedToTheNearest) {
  const BaseUnits classic{6, 13};
  struct Case {
    const char* label;
    int32_t units;
    int32_t across, down;
  } cases[] = {
      {"the composer's width and height", 241, 362, 392},
      {"one unit", 1, 2, 2},  // 1.5 and 1.625 round up
      {"the entry height of 10", 10, 15, 16},
      {"zero", 0, 0, 0},
      {"a negative position rounds symmetrically", -7, -11, -11},
      {"a large value does not overflow", 1000000, 1500000, 1625000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(win32::HorizontalPixels(c.units, classic), c.across);
    EXPECT_EQ(win32::VerticalPixels(c.units, classic), c.down);
  }
}

TEST(ControlCodes, IconCodesNameTheFourMessageIcons) {
  using win32::StockIcon;
  struct Case {
    const char* label;
    std::string code;
    StockIcon expected;
  } cases[] = {
      {"hand", rt::IconHand, StockIcon::Hand},
      {"question", rt::IconQuestion, StockIcon::Question},
      {"exclamation", rt::IconExclamation, StockIcon::Exclamation},
      {"asterisk", rt::IconAsterisk, StockIcon::Asterisk},
      {"none", rt::IconNone, StockIcon::None},
      {"none padded with two spaces", rt::IconNone + "  ", StockIcon::None},
      {"exclamation padded", rt::IconExclamation + "   ", StockIcon::Exclamation},
      {"empty", "", StockIcon::None},
      {"a number", "5", StockIcon::None},
      {"a code cut short", rt::IconHand.substr(0, 3), StockIcon::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(win32::IconOfCode(c.code), c.expected);
  }
}

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

TEST(ControlCodes, SpinRangesFollowThePicture) {
  using win32::SpinRange;
  struct Case {
    const char* label;
    const char* picture;
    SpinRange expected;
  } cases[] = {
      {"one digit, as the default button's field", "n1", {0, 9}},
      {"three digits", "n3", {0, 999}},
      {"negative allowed", "n-2", {-99, 99}},
      {"decimals count among the digits", "n5.2", {0, 999}},
      {"ten digits are held to the integer range", "n10", {0, 2147483647}},
      {"a huge digit count is held too", "n999999", {0, 2147483647}},
      {"no digit count", "n", {0, 32767}},
      {"a text picture", "s20", {0, 32767}},
      {"no picture", "", {0, 32767}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(win32::SpinRangeOf(c.picture), c.expected);
  }
}

}  // namespace
