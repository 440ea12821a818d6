// The runtime's own message box and the message function's hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Address.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "support/HeadlessTest.h"

namespace {

using headless::User;

class RuntimeBox : public quibra_test::HeadlessTest {};

struct ButtonSetCase {
  const char* label;
  int32_t buttons;
  int32_t defaultButton;
  std::vector<std::string> captions;
  int32_t defaultValue;
  int32_t escapeValue;  // 0: Escape and the close box are ignored
};

// The box rules are checked with every drawer (BoxDrawersTest); here, the
// sums only the runtime's own box shows as they are.
const ButtonSetCase kButtonSets[] = {
    {"no buttons shows OK", 0, 0, {"OK"}, rt::ButtonOk, rt::ButtonOk},
    {"Yes No, default not shown", 6, 64, {"&Yes", "&No"}, rt::ButtonYes, 0},
    {"OK Help", 129, 1, {"OK", "&Help"}, rt::ButtonOk, rt::ButtonOk},
    {"every button",
     255,
     3,
     {"OK", "&Yes", "&No", "&Abort", "&Retry", "&Ignore", "Cancel", "&Help"},
     rt::ButtonNo,
     rt::ButtonCancel},
};

TEST_F(RuntimeBox, ShowsEachButtonSetWithItsDefault) {
  for (const ButtonSetCase& c : kButtonSets) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    int32_t focused = 0;
    User()
        .Run([&] {
          rt::Window* box = rt::CurrentWindow();
          ASSERT_NE(box, nullptr);
          focused = box->Focus();
          EXPECT_EQ(box->GetProperty(focused, rt::PropDefaultButton, 0).Number(), 1);
        })
        .AnswerBox(c.defaultValue);
    EXPECT_EQ(rt::MessageBox("Go on?", "Question", rt::IconQuestion, c.buttons, c.defaultButton, 0), c.defaultValue);
    ASSERT_EQ(headless::Boxes().size(), 1u);
    headless::BoxRecord r = headless::Boxes()[0];
    EXPECT_EQ(r.drawer, "runtime");
    EXPECT_EQ(r.captions, c.captions);
    EXPECT_EQ(r.defaultValue, c.defaultValue);
    EXPECT_EQ(r.result, c.defaultValue);
    EXPECT_NE(focused, 0) << "the default button has the focus";
    EXPECT_EQ(rt::CurrentWindow(), nullptr) << "the box's window is gone";
  }
}

TEST_F(RuntimeBox, ACountdownIsDrawnOnTheDefaultButtonAndReadInItsDescription) {
  rt::Window* box = nullptr;
  int32_t button = 0;
  User()
      .Run([&] {
        box = rt::CurrentWindow();
        button = box->Focus();
        EXPECT_EQ(box->Text(button), "OK (30)");
        EXPECT_EQ(box->SpokenCaption(button), "OK");
        EXPECT_EQ(box->Description(button), "Pressed in 30 seconds");
      })
      .AnswerBox(rt::ButtonCancel);
  EXPECT_EQ(rt::AskRuntimeBox({.text = "Go on?", .caption = "Wait", .buttons = rt::ButtonOk | rt::ButtonCancel, .timeout = 30}).button,
            rt::ButtonCancel);
  EXPECT_NE(box, nullptr);
}

TEST_F(RuntimeBox, EscapeAndTheCloseBoxAnswerCancelOrOkOrNothing) {
  for (const ButtonSetCase& c : kButtonSets) {
    SCOPED_TRACE(c.label);
    for (bool escape : {true, false}) {
      headless::Reset();
      escape ? User().EscapeBox() : User().CloseBox();
      // Where they do nothing the box waits for a real answer.
      int32_t fallback = c.defaultValue;
      if (c.escapeValue == 0) User().AnswerBox(fallback);
      int32_t result = rt::MessageBox("Text", "Caption", "", c.buttons, c.defaultButton, 0);
      EXPECT_EQ(result, c.escapeValue ? c.escapeValue : fallback);
      EXPECT_EQ(headless::Boxes().size(), 1u);
    }
  }
}

TEST_F(RuntimeBox, SplitsTheTextIntoLines) {
  struct Case {
    const char* label;
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"bars keep the spaces beside them", "Test Message | Second Line", {"Test Message ", " Second Line"}},
      {"two bars make an empty line", "a||b", {"a", "", "b"}},
      {"line ends of every kind", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"trailing blanks go first", "one|two   ", {"one", "two"}},
      {"a lone bar", "|", {"", ""}},
      {"blank text", "   ", {""}},
      {"a long line wraps at the last blank that fits, which goes",
       std::string(70, 'a') + " " + std::string(20, 'b') + " c",
       {std::string(70, 'a'), std::string(20, 'b') + " c"}},
      {"a line of exactly 80 stays whole", std::string(80, 'x'), {std::string(80, 'x')}},
      {"a word longer than a line is cut",
       std::string(170, 'y'),
       {std::string(80, 'y'), std::string(80, 'y'), std::string(10, 'y')}},
      {"a blank just past the width breaks there", std::string(80, 'z') + " end", {std::string(80, 'z'), "end"}},
  };
  for (const Case& c : cases) {
    headless::Reset();
    User().AnswerBox(rt::ButtonOk);
    rt::MessageBox(c.text, "", "", rt::ButtonOk, 0, 0);
    EXPECT_EQ(headless::Boxes().at(0).lines, c.lines) << c.label;
  }
}

TEST_F(RuntimeBox, ShowsTheIconOnlyForAKnownCode) {
  struct Case {
    const char* label;
    std::string icon;
    bool shown;
  };
  const Case cases[] = {
      {"hand", rt::IconHand, true},
      {"question", rt::IconQuestion, true},
      {"exclamation", rt::IconExclamation, true},
      {"asterisk", rt::IconAsterisk, true},
      {"none", rt::IconNone, false},
      {"none padded with spaces", std::string("\xFF\x01  ", 4), false},
      {"empty", "", false},
      {"unknown bytes", std::string("\xFF\x01\x09\x7F", 4), false},
  };
  for (const Case& c : cases) {
    headless::Reset();
    bool hidden = false;
    std::string shownIcon;
    User()
        .Run([&] {
          rt::Window* box = rt::CurrentWindow();
          hidden = box->IsHidden(1);
          shownIcon = box->Text(1);
        })
        .AnswerBox(rt::ButtonOk);
    rt::MessageBox("Text", "", c.icon, rt::ButtonOk, 0, 0);
    EXPECT_EQ(!hidden, c.shown) << c.label;
    if (c.shown) {
      EXPECT_EQ(shownIcon, c.icon) << c.label;
    }
    EXPECT_EQ(headless::Boxes().at(0).icon, c.icon) << c.label;
  }
}

TEST_F(RuntimeBox, OmittedArgumentsGiveAnEmptyCaptionNoIconAndOk) {
  User().AnswerBox(rt::ButtonOk);
  EXPECT_EQ(rt::MessageBox("Hello", "ignored", rt::IconHand, "70", 1, 1, 1, 0, 0), rt::ButtonOk);
  headless::BoxRecord r = headless::Boxes().at(0);
  EXPECT_EQ(r.caption, "");
  EXPECT_EQ(r.icon, "");
  EXPECT_EQ(r.buttons, rt::ButtonOk);
  EXPECT_EQ(r.owner, 0) << "no window was open";
}

TEST_F(RuntimeBox, TheTitleLosesTheCaptionsPadding) {
  User().AnswerBox(rt::ButtonOk);
  rt::MessageBox("Hello", "Quibra Demo" + std::string(29, ' '), "", rt::ButtonOk, 0, 0);
  EXPECT_EQ(headless::Boxes().at(0).caption, "Quibra Demo");
}

TEST_F(RuntimeBox, AButtonTheBoxDoesNotShowFailsTheScriptAndLeavesNoWindow) {
  User().AnswerBox(rt::ButtonYes);
  try {
    rt::MessageBox("Proceed", "", "", rt::ButtonOk, 0, 0);
    FAIL() << "the box accepted a button it does not show";
  } catch (const headless::ScriptError& e) {
    EXPECT_NE(std::string(e.what()).find("message box 'Proceed' shows only OK"), std::string::npos) << e.what();
  }
  EXPECT_EQ(rt::CurrentWindow(), nullptr);
  EXPECT_EQ(rt::LoopWindow(), nullptr);
}

struct HookCall {
  std::string text, caption, icon, buttons;
  int flags[3];
  int32_t defaultButton, style;
};
HookCall lastHookCall;

int32_t RecordingHook(const std::string& text, const std::string& caption, const std::string& icon,
                      const std::string& buttons, uint8_t captionOmitted, uint8_t iconOmitted, uint8_t buttonsOmitted,
                      int32_t defaultButton, int32_t style) {
  lastHookCall = {text, caption, icon, buttons, {captionOmitted, iconOmitted, buttonsOmitted}, defaultButton, style};
  return 77;
}

TEST_F(RuntimeBox, AnInstalledHookIsCalledInsteadWithTheSameArguments) {
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::Value(rt::FunctionAddressNumber(&RecordingHook)));
  EXPECT_EQ(rt::MessageBox("T", "C", rt::IconHand, "", 0, 0, 1, 3, 1), 77);
  EXPECT_EQ(lastHookCall.text, "T");
  EXPECT_EQ(lastHookCall.caption, "C");
  EXPECT_EQ(lastHookCall.icon, rt::IconHand);
  EXPECT_EQ(lastHookCall.buttons, "");
  EXPECT_EQ(lastHookCall.flags[2], 1);
  EXPECT_EQ(lastHookCall.defaultButton, 3);
  EXPECT_EQ(lastHookCall.style, 1);
  EXPECT_EQ(rt::MessageBox("N", "C", "", 65, 64, 0), 77);
  EXPECT_EQ(lastHookCall.buttons, "65") << "a numeric button set arrives as its text";
  EXPECT_TRUE(headless::Boxes().empty());

  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::Value(0));
  User().AnswerBox(rt::ButtonOk);
  EXPECT_EQ(rt::MessageBox("Back", "", "", rt::ButtonOk, 0, 0), rt::ButtonOk);
  EXPECT_EQ(headless::Boxes().size(), 1u);
}

}  // namespace
