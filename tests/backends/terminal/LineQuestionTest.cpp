// The question asked as one line where the terminal cannot be drawn on.
#include <gtest/gtest.h>

#include "backends/terminal/LineQuestion.h"
#include "runtime/MessageBox.h"

namespace terminal {
namespace {

BoxModel Box(std::vector<BoxModel::Button> buttons, std::size_t defaultIndex,
             std::string text = "Delete the old logs?") {
  BoxModel box;
  box.lines = {std::move(text)};
  box.buttons = std::move(buttons);
  box.defaultIndex = defaultIndex;
  return box;
}

const std::vector<BoxModel::Button> kYesNo = {{"&Yes", rt::ButtonYes}, {"&No", rt::ButtonNo}};
const std::vector<BoxModel::Button> kOkCancel = {{"OK", rt::ButtonOk}, {"Cancel", rt::ButtonCancel}};

TEST(TerminalLineQuestion, ThePromptNamesEachButtonByItsKey) {
  struct Row {
    const char* label;
    BoxModel box;
    const char* prompt;
  };
  const Row rows[] = {
      {"access keys", Box(kYesNo, 0), "Delete the old logs? [Y]es [N]o: "},
      {"first letters where there are none", Box(kOkCancel, 0, "Go on?"), "Go on? [O]K [C]ancel: "},
      {"a letter taken goes to the next free one",
       Box({{"&Retry", rt::ButtonRetry}, {"Re&set", 0x10000}, {"Rerun", 0x10001}}, 0, "Again?"),
       "Again? [R]etry Re[s]et R[e]run: "},
      {"several lines", Box(kYesNo, 1, "Saved.\nQuit now?"), "Saved.\nQuit now? [Y]es [N]o: "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(LinePrompt(row.box), row.prompt);
  }
}

TEST(TerminalLineQuestion, AnAnswerPressesAButtonOrAsksAgain) {
  struct Row {
    const char* label;
    const char* line;
    int button;  // -1: asked again
  };
  const BoxModel box = Box(kOkCancel, 1);
  const Row rows[] = {
      {"Enter alone gives the default", "", 1},
      {"blanks alone too", "  ", 1},
      {"a key", "o", 0},
      {"a key in capitals", "C", 1},
      {"a caption written out", "cancel", 1},
      {"a key among blanks", " o \r", 0},
      {"anything else is asked again", "maybe", -1},
      {"a letter of no button", "x", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::optional<LineChoice> choice = LineAnswer(box, row.line);
    if (row.button < 0) {
      EXPECT_FALSE(choice.has_value());
    } else {
      ASSERT_TRUE(choice.has_value());
      EXPECT_EQ(choice->button, static_cast<std::size_t>(row.button));
      EXPECT_FALSE(choice->ticked);
    }
  }
}

TEST(TerminalLineQuestion, APlusTicksTheCheckBox) {
  BoxModel box = Box(kYesNo, 0);
  box.checkBox = "Do not ask again";
  EXPECT_EQ(LinePrompt(box), "Delete the old logs? [Y]es [N]o (+ to Do not ask again): ");
  const std::optional<LineChoice> choice = LineAnswer(box, "n+");
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->button, 1u);
  EXPECT_TRUE(choice->ticked);
  EXPECT_FALSE(LineAnswer(Box(kYesNo, 0), "n+").has_value()) << "no check box: no '+'";
}

}  // namespace
}  // namespace terminal
