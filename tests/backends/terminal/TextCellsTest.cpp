// How many cells a text takes in the terminal, and where it is cut.
#include <gtest/gtest.h>

#include <clocale>

#include "backends/terminal/TextCells.h"

namespace terminal {
namespace {

TEST(TerminalTextCells, EachCharacterTakesItsCellsAndACutNeverSplitsOne) {
  // The terminal backend reads the user's locale; the tests take a UTF-8 one.
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  struct Row {
    const char* label;
    std::string text;
    int cells;
    int cutAt;
    std::size_t bytesKept;
  };
  const Row rows[] = {
      {"ASCII, a byte a cell", "Delete?", 7, 3, 3},
      {"a letter of two bytes takes one cell", "Grüße", 5, 3, 4},
      {"a wide character takes two", "日本", 4, 2, 3},
      {"and is not cut in half", "日本", 4, 3, 3},
      {"a byte of Western text is one character", "caf\xE9", 4, 4, 4},
      {"a lead byte without its whole character too", "ab\xF0\xA3\xA3", 5, 3, 3},
      {"a control character is one blank", "a\tb", 3, 3, 3},
      {"nothing fits in no cells", "abc", 3, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Cells(row.text), row.cells);
    EXPECT_EQ(CellBytes(row.text, row.cutAt), row.bytesKept);
  }
  EXPECT_EQ(Characters("caf\xE9"), U"caf\u00E9") << "read as the Western code page reads it";
  EXPECT_EQ(Characters("\x80"), U"\u20AC");
  EXPECT_EQ(Characters("a\x1B[2Jb"), U"a [2Jb") << "an escape sequence is never passed to the terminal";
  EXPECT_EQ(Characters("\xF0\x9F\x98\x80"), U"\U0001F600");
}

}  // namespace
}  // namespace terminal
