// What each key does in a terminal's message box, the same for every drawer.
#include <gtest/gtest.h>

#include "backends/terminal/BoxKeys.h"
#include "runtime/MessageBox.h"

namespace terminal {
namespace {

using Kind = KeyOutcome::Kind;

// Yes, No, Cancel with No the default and a check box; a text of 30 lines.
BoxModel YesNoCancel() {
  BoxModel box;
  box.buttons = {{"&Yes", rt::ButtonYes}, {"&No", rt::ButtonNo}, {"Cancel", rt::ButtonCancel}};
  box.defaultIndex = 1;
  box.focus = 1;
  box.escapeValue = rt::ButtonCancel;
  box.checkBox = "&Do not ask again";
  box.lines.assign(30, "a line");
  return box;
}

TEST(TerminalBoxKeys, EachKeyMovesTheFocusPressesOrScrolls) {
  struct Row {
    const char* label;
    Key key;
    std::size_t focusBefore, topBefore;
    Kind kind;
    std::size_t button;  // for Press
    std::size_t focusAfter, topAfter;
    bool checked;
  };
  // The screen shows 10 lines of the 30; stops 0-2 are the buttons, 3 the check box.
  // clang-format off
  const Row rows[] = {
      {"Tab moves right", {KeyName::Tab}, 1, 0, Kind::Redraw, 0, 2, 0, false},
      {"Tab goes on to the check box", {KeyName::Tab}, 2, 0, Kind::Redraw, 0, 3, 0, false},
      {"Tab comes round to the first button", {KeyName::Tab}, 3, 0, Kind::Redraw, 0, 0, 0, false},
      {"Shift+Tab moves left", {KeyName::BackTab}, 1, 0, Kind::Redraw, 0, 0, 0, false},
      {"Shift+Tab from the first goes to the check box", {KeyName::BackTab}, 0, 0, Kind::Redraw, 0, 3, 0, false},
      {"Left moves left", {KeyName::Left}, 2, 0, Kind::Redraw, 0, 1, 0, false},
      {"Left from the first comes round to the last", {KeyName::Left}, 0, 0, Kind::Redraw, 0, 2, 0, false},
      {"Right from the last comes round to the first", {KeyName::Right}, 2, 0, Kind::Redraw, 0, 0, 0, false},
      {"Right from the check box goes to the first button", {KeyName::Right}, 3, 0, Kind::Redraw, 0, 0, 0, false},
      {"Enter presses the focused button", {KeyName::Enter}, 2, 0, Kind::Press, 2, 2, 0, false},
      {"Enter on the check box presses the default", {KeyName::Enter}, 3, 0, Kind::Press, 1, 3, 0, false},
      {"Space presses the focused button", {KeyName::Space}, 0, 0, Kind::Press, 0, 0, 0, false},
      {"Space on the check box ticks it", {KeyName::Space}, 3, 0, Kind::Redraw, 0, 3, 0, true},
      {"the access key alone presses its button", {KeyName::Char, 'y'}, 1, 0, Kind::Press, 0, 1, 0, false},
      {"the access key in capitals too", {KeyName::Char, 'N'}, 0, 0, Kind::Press, 1, 0, 0, false},
      {"Alt with the access key", {KeyName::Alt, 'n'}, 0, 0, Kind::Press, 1, 0, 0, false},
      {"the check box's access key ticks it", {KeyName::Char, 'd'}, 0, 0, Kind::Redraw, 0, 3, 0, true},
      {"a letter that is no access key does nothing", {KeyName::Char, 'c'}, 1, 0, Kind::Nothing, 0, 1, 0, false},
      {"Escape dismisses", {KeyName::Escape}, 0, 0, Kind::Dismiss, 0, 0, 0, false},
      {"Ctrl+C dismisses as the close box does", {KeyName::Interrupt}, 0, 0, Kind::Dismiss, 0, 0, 0, false},
      {"the end of the input abandons the box", {KeyName::Ended}, 0, 0, Kind::Abandon, 0, 0, 0, false},
      {"Down scrolls a line", {KeyName::Down}, 1, 0, Kind::Redraw, 0, 1, 1, false},
      {"Up at the top does nothing", {KeyName::Up}, 1, 0, Kind::Nothing, 0, 1, 0, false},
      {"Page Down scrolls a page", {KeyName::PageDown}, 1, 5, Kind::Redraw, 0, 1, 15, false},
      {"Page Down stops at the last page", {KeyName::PageDown}, 1, 15, Kind::Redraw, 0, 1, 20, false},
      {"Page Up stops at the top", {KeyName::PageUp}, 1, 5, Kind::Redraw, 0, 1, 0, false},
      {"End shows the last page", {KeyName::End}, 1, 0, Kind::Redraw, 0, 1, 20, false},
      {"Home shows the first", {KeyName::Home}, 1, 20, Kind::Redraw, 0, 1, 0, false},
      {"a resized terminal is drawn again", {KeyName::Resize}, 1, 0, Kind::Redraw, 0, 1, 0, false},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    BoxModel box = YesNoCancel();
    box.focus = row.focusBefore;
    box.top = row.topBefore;
    const KeyOutcome outcome = HandleKey(box, row.key, 10);
    EXPECT_EQ(outcome.kind, row.kind);
    if (row.kind == Kind::Press) {
      EXPECT_EQ(outcome.button, row.button);
    }
    EXPECT_EQ(box.focus, row.focusAfter);
    EXPECT_EQ(box.top, row.topAfter);
    EXPECT_EQ(box.checked, row.checked);
  }
}

TEST(TerminalBoxKeys, WithoutACheckBoxTabStaysOnTheButtons) {
  BoxModel box = YesNoCancel();
  box.checkBox.clear();
  box.focus = 2;
  HandleKey(box, {KeyName::Tab}, 10);
  EXPECT_EQ(box.focus, 0u);
  HandleKey(box, {KeyName::BackTab}, 10);
  EXPECT_EQ(box.focus, 2u);
}

TEST(TerminalBoxKeys, AShortTextDoesNotScroll) {
  BoxModel box = YesNoCancel();
  box.lines.assign(3, "line");
  EXPECT_EQ(HandleKey(box, {KeyName::PageDown}, 10).kind, Kind::Nothing);
  EXPECT_EQ(box.top, 0u);
}

}  // namespace
}  // namespace terminal
