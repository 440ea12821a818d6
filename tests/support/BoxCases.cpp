#include "support/BoxCases.h"

#include <gtest/gtest.h>

#include <iostream>

#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Text.h"

namespace box_cases {
namespace {

using rt::ButtonAbort, rt::ButtonCancel, rt::ButtonIgnore, rt::ButtonNo, rt::ButtonOk, rt::ButtonRetry, rt::ButtonYes;

std::string ManyLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "|" : "") + std::to_string(i);
  return text;
}

// A paragraph of 360 characters, one line to the program.
std::string LongLine() {
  std::string text;
  while (text.size() < 360) text += "the quick brown fox jumps over the lazy dog ";
  return text;
}

// The letters of a text as a box shows them: blanks and bars are no letters,
// and the native hook keeps 511 characters after each bar became CR LF.
std::size_t ShownLetters(const std::string& text, bool native) {
  std::size_t letters = 0, width = 0;
  for (char ch : rt::Clip(text)) {
    width += ch == '|' ? 2 : 1;
    if (native && width > 511) break;
    letters += ch != ' ' && ch != '|';
  }
  return letters;
}

}  // namespace

const std::vector<BoxCase>& Cases() {
  // Label; text, title, icon, button set, default, style; what the person
  // does; then what every drawer shows: captions, default, whether Escape or
  // the close box did nothing, the answer, and whether the text scrolls.
  // clang-format off
  static const std::vector<BoxCase> cases = {
      {"OK, asterisk", "Saved.", "Quibra Demo", rt::IconAsterisk, 1, 0, 0, Act::Press, ButtonOk,
       {"OK"}, ButtonOk, false, ButtonOk, false},
      {"OK: Escape answers OK", "Saved.", "Quibra Demo", "", 1, 0, 0, Act::Escape, 0,
       {"OK"}, ButtonOk, false, ButtonOk, false},
      {"OK Cancel, Cancel by value", "Go on?", "Quibra Demo", rt::IconExclamation, 65, 64, 0, Act::Press, ButtonOk,
       {"OK", "Cancel"}, ButtonCancel, false, ButtonOk, false},
      {"OK Cancel, second place: Escape answers Cancel", "Go on?", "Quibra Demo", "", 65, 2, 0, Act::Escape, 0,
       {"OK", "Cancel"}, ButtonCancel, false, ButtonCancel, false},
      {"OK Cancel, an unknown default is the first", "Go on?", "Quibra Demo", "", 65, 7, 0, Act::Press, ButtonCancel,
       {"OK", "Cancel"}, ButtonOk, false, ButtonCancel, false},
      {"Yes No, 2 is the second place", "Sure?", "Quibra Demo", rt::IconQuestion, 6, 2, 0, Act::Press, ButtonYes,
       {"&Yes", "&No"}, ButtonNo, false, ButtonYes, false},
      {"Yes No: Escape does nothing", "Sure?", "Quibra Demo", rt::IconQuestion, 6, 0, 0, Act::Escape, 0,
       {"&Yes", "&No"}, ButtonYes, true, ButtonYes, false},
      {"Yes No, No by value: the close box does nothing", "Sure?", "Quibra Demo", "", 6, 4, 0, Act::Close, 0,
       {"&Yes", "&No"}, ButtonNo, true, ButtonNo, false},
      {"Yes No Cancel, Cancel by value", "Save?", "Quibra Demo", rt::IconQuestion, 70, 64, 0, Act::Press, ButtonNo,
       {"&Yes", "&No", "Cancel"}, ButtonCancel, false, ButtonNo, false},
      {"Yes No Cancel, third place: the close box answers Cancel", "Save?", "Quibra Demo", "", 70, 3, 0, Act::Close, 0,
       {"&Yes", "&No", "Cancel"}, ButtonCancel, false, ButtonCancel, false},
      {"Abort Retry Ignore, Ignore by value, system-modal", "Disk error", "Quibra Demo", rt::IconHand, 56, 32, 1,
       Act::Press, ButtonRetry, {"&Abort", "&Retry", "&Ignore"}, ButtonIgnore, false, ButtonRetry, false},
      {"Abort Retry Ignore, third place: Escape does nothing", "Disk error", "Quibra Demo", rt::IconHand, 56, 3, 0,
       Act::Escape, 0, {"&Abort", "&Retry", "&Ignore"}, ButtonIgnore, true, ButtonIgnore, false},
      {"Retry Cancel: the close box answers Cancel", "Again?", "Quibra Demo", "", 80, 1, 0, Act::Close, 0,
       {"&Retry", "Cancel"}, ButtonRetry, false, ButtonCancel, false},
      {"a long line wraps", LongLine(), "Quibra Demo", "", 1, 0, 0, Act::Press, ButtonOk,
       {"OK"}, ButtonOk, false, ButtonOk, false},
      {"a 200-line text scrolls", ManyLines(200), "Quibra Demo", rt::IconExclamation, 1, 0, 0, Act::Press, ButtonOk,
       {"OK"}, ButtonOk, false, ButtonOk, true},
      {"Yes No Cancel: the time runs out and presses Cancel", "Save?", "Quibra Demo", rt::IconQuestion, 70, 64, 0,
       Act::Wait, 0, {"&Yes", "&No", "Cancel"}, ButtonCancel, false, rt::BoxTimedOut, false, 2, "Cancel (2)"},
      {"OK Cancel: pressed before the time runs out", "Go on?", "Quibra Demo", "", 65, 0, 0, Act::Press, ButtonCancel,
       {"OK", "Cancel"}, ButtonOk, false, ButtonCancel, false, 30, "OK (30)"},
  };
  // clang-format on
  return cases;
}

rt::BoxRequest RequestOf(const BoxCase& c) {
  return {.text = c.text,
          .caption = c.caption,
          .icon = c.icon,
          .buttons = c.buttons,
          .defaultButton = c.defaultButton,
          .style = c.style,
          .timeout = c.timeout};
}

void ExpectEveryCase(Drawer& drawer) {
  for (const BoxCase& c : Cases()) {
    SCOPED_TRACE(std::string(drawer.Name()) + ": " + c.label);
    if (const std::string why = drawer.CannotCheck(c); !why.empty()) {
      std::cout << "[   NOTE   ] " << drawer.Name() << " cannot check \"" << c.label << "\": " << why << '\n';
      continue;
    }
    const Seen seen = drawer.Show(c);
    ASSERT_TRUE(seen.shown) << "no box came";
    EXPECT_EQ(seen.title, c.caption);
    std::vector<std::string> captions = c.captions;
    if (c.timeout > 0) {
      for (std::size_t i = 0; i < captions.size(); ++i)
        if (rt::ButtonsOf(c.buttons)[i].value == c.defaultValue) captions[i] = c.countdown;
    }
    EXPECT_EQ(seen.captions, captions);
    EXPECT_EQ(seen.defaultValue, c.defaultValue);
    if (seen.focusedValue != -1) {
      EXPECT_EQ(seen.focusedValue, c.defaultValue) << "the default button has the focus";
    }
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.systemModal, c.style != 0);
    if (c.act == Act::Escape || c.act == Act::Close) {
      EXPECT_EQ(seen.stayedOpen, c.ignored);
      if (seen.closeBox != -1) {
        EXPECT_EQ(seen.closeBox == 1, !c.ignored) << "the close box works only where it answers";
      }
    }
    EXPECT_EQ(seen.scrolls, c.scrolls);
    EXPECT_TRUE(seen.fitsScreen) << "the box outgrows the screen's work area";
    EXPECT_EQ(seen.result, c.result);
    // Every line fits the wrap width, and wrapping loses none of the text.
    std::size_t letters = 0;
    for (const std::string& line : seen.lines) {
      EXPECT_LE(line.size(), rt::kBoxWrapColumns) << line;
      for (char ch : line) letters += ch != ' ';
    }
    if (!seen.lines.empty()) {
      EXPECT_EQ(letters, ShownLetters(c.text, drawer.Native())) << "letters shown";
    }
  }
}

}  // namespace box_cases
