// Where a message box stands on terminals of several sizes.
#include <gtest/gtest.h>

#include "backends/terminal/BoxLayout.h"
#include "runtime/MessageBox.h"

namespace terminal {
namespace {

BoxModel Box(std::size_t lines, std::size_t width) {
  BoxModel box;
  box.title = "Quibra Demo";
  box.icon = rt::IconQuestion;
  box.lines.assign(lines, std::string(width, 'x'));
  box.buttons = {{"&Yes", rt::ButtonYes}, {"&No", rt::ButtonNo}, {"Cancel", rt::ButtonCancel}};
  box.defaultIndex = 2;
  return box;
}

TEST(TerminalBoxLayout, TheBoxIsCentredAndFitsTheTerminal) {
  struct Row {
    const char* label;
    std::size_t lines, width;
    int columns, rows;
    bool scrolls;
  };
  const Row rows[] = {
      {"a short text on 80 by 24", 2, 20, 80, 24, false},
      {"as many lines as fit", 18, 40, 80, 24, false},
      {"one more scrolls", 19, 40, 80, 24, true},
      {"200 lines on a small terminal", 200, 60, 64, 12, true},
      {"a wide text on a wide terminal", 3, 130, 200, 50, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const BoxLayout l = LayOut(Box(row.lines, row.width), row.columns, row.rows);
    EXPECT_EQ(l.scrolls, row.scrolls);
    EXPECT_GE(l.x, 0);
    EXPECT_GE(l.y, 0);
    EXPECT_LE(l.x + l.width, row.columns);
    EXPECT_LE(l.y + l.height, row.rows);
    EXPECT_LE(std::abs(l.x - (row.columns - l.x - l.width)), 1) << "centred across";
    EXPECT_EQ(l.shownLines, row.scrolls ? static_cast<std::size_t>(row.rows - 6) : row.lines);
    ASSERT_EQ(l.buttons.size(), 3u);
    EXPECT_EQ(l.buttons[0].y, l.y + l.height - 3) << "the buttons above the bottom margin";
    EXPECT_LT(l.textY + static_cast<int>(l.shownLines), l.buttons[0].y) << "a blank row between text and buttons";
  }
}

TEST(TerminalBoxLayout, TheDefaultButtonIsMarkedAndAccessKeysAreFound) {
  const BoxLayout l = LayOut(Box(1, 10), 80, 24);
  EXPECT_EQ(l.labels, (std::vector<std::string>{"[ Yes ]", "[ No ]", "[[Cancel]]"}));
  EXPECT_EQ(l.accessKeys[0], 2u);
  EXPECT_EQ(l.accessKeys[1], 2u);
  EXPECT_EQ(l.accessKeys[2], std::string::npos);
  EXPECT_EQ(l.buttons[1].x, l.buttons[0].x + 7 + 2) << "two blanks between buttons";
}

}  // namespace
}  // namespace terminal
