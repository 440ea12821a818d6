// The console program's part of handing its command line on to QuibraD.exe:
// the arguments after its own name, exactly as typed, and the program beside
// it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/ProgramArguments.h"

namespace {

struct TailCase {
  const char* label;
  std::wstring_view line;
  std::wstring_view arguments;
};

TEST(ProgramArguments, WhatFollowsTheNameIsKeptAsItIs) {
  const TailCase cases[] = {
      {"a plain name", L"QuibraD --version", L"--version"},
      {"a name alone", L"QuibraD", L""},
      {"a name and blanks", L"QuibraD  \t ", L""},
      {"blanks and a tab after the name", L"QuibraD \t --print", L"--print"},
      {"a quoted path with a blank", L"\"C:\\Program Files\\Quibra\\QuibraD.com\" --text x", L"--text x"},
      {"a quote in the middle of the name", L"C:\\Program\" \"Files\\QuibraD.com -h", L"-h"},
      {"a quoted part then more name", L"\"C:\\a b\"\\QuibraD.com --print", L"--print"},
      {"an unclosed quote takes it all", L"\"C:\\a b\\QuibraD.com --print", L""},
      {"quotes, backslashes and trailing blanks after it", L"QuibraD --text \"a \\\"b\\\" c\" --title \"x\\\\\"  ",
       L"--text \"a \\\"b\\\" c\" --title \"x\\\\\"  "},
      {"blanks inside the arguments", L"QuibraD a   b", L"a   b"},
      {"an empty line", L"", L""},
  };
  for (const TailCase& c : cases) EXPECT_EQ(os::ArgumentsAfterProgramName(c.line), c.arguments) << c.label;
}

TEST(ProgramArguments, TheProgramBesideHasTheSameNameAndAnotherExtension) {
  EXPECT_EQ(os::SiblingProgram(L"C:\\Program Files\\Quibra\\QuibraD.com", L".exe"),
            L"C:\\Program Files\\Quibra\\QuibraD.exe");
  EXPECT_EQ(os::SiblingProgram(L"C:\\a.b\\QuibraD", L".exe"), L"C:\\a.b\\QuibraD.exe") << "a dot in a folder's name";
  EXPECT_EQ(os::SiblingProgram(L"D:\\x\\my.tool.com", L".exe"), L"D:\\x\\my.tool.exe") << "the last dot only";
  EXPECT_EQ(os::SiblingProgram(L"QuibraD.com", L""), L"QuibraD");
}

TEST(ProgramArguments, TheNewLineQuotesThePathAndAddsTheArgumentsUnchanged) {
  EXPECT_EQ(os::CommandLineFor(L"C:\\Program Files\\QuibraD.exe", L"--text \"a \\\"b\\\"\""),
            L"\"C:\\Program Files\\QuibraD.exe\" --text \"a \\\"b\\\"\"");
  EXPECT_EQ(os::CommandLineFor(L"C:\\Q\\QuibraD.exe", L""), L"\"C:\\Q\\QuibraD.exe\"") << "no blank after the name";
}

}  // namespace
