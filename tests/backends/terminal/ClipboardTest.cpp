// The terminal's clipboard sequence: base64 with its padding for each length
// left over, and bytes above 127 (the program's texts are single bytes).
#include <gtest/gtest.h>

#include "backends/terminal/TerminalBackend.h"

namespace terminal {
namespace {

TEST(TerminalClipboard, TheTextGoesInBase64BetweenOsc52AndBel) {
  struct Row {
    const char* text;
    const char* base64;
  } rows[] = {
      {"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {"\xff\xfe", "//4="}, {"quibrad 'x'", "cXVpYnJhZCAneCc="},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ClipboardSequence(row.text), std::string("\033]52;c;") + row.base64 + "\a") << row.text;
}

}  // namespace
}  // namespace terminal
