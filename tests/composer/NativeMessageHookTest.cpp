// The native message hook: how the runtime's message arguments become
// MessageBoxA's text, caption and flags, how its result comes back, and what
// it does with the process heap.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "composer/ComposerUtility.h"
#include "composer/NativeMessageHook.h"
#include "platform/Win32Api.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "support/HeadlessTest.h"

namespace {

using headless::User;

class NativeHook : public quibra_test::HeadlessTest {};

// Calls the hook with a full set of arguments; the script answers OK.
headless::BoxRecord Show(const std::string& text, const std::string& caption, const std::string& icon,
                         const std::string& buttons, int32_t defaultButton = 0, int32_t style = 0,
                         uint8_t captionOmitted = 0) {
  headless::Reset();
  User().AnswerNative(os::IDOK);
  quibra::NativeMessageHook(text, caption, icon, buttons, captionOmitted, 0, 0, defaultButton, style);
  return headless::Boxes().at(0);
}

TEST_F(NativeHook, BarsBecomeLineBreaksWithinFiveHundredElevenCharacters) {
  struct Case {
    const char* label;
    std::string text;
    std::string shown;
  };
  std::string bars(300, '|');
  std::string cut;
  for (int i = 0; i < 255; ++i) cut += "\r\n";
  cut += "\r";
  const Case cases[] = {
      {"the spaces beside the bar stay", "Test Message | Second Line", "Test Message \r\n Second Line"},
      {"two bars make an empty line", "a||b", "a\r\n\r\nb"},
      {"a lone bar", "|", "\r\n"},
      {"empty text", "", ""},
      {"blank text", "     ", ""},
      {"trailing blanks go, leading ones stay", "  x  ", "  x"},
      {"300 bars are cut to 511 characters", bars, cut},
      {"long text is cut", std::string(600, 'x'), std::string(511, 'x')},
      {"a break that does not fit is cut in half", std::string(510, 'x') + "|y", std::string(510, 'x') + "\r"},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(c.text, "C", "", "1").text, c.shown) << c.label;
}

TEST_F(NativeHook, TheCaptionIsClippedCutOrLeftEmptyWhenOmitted) {
  EXPECT_EQ(Show("t", "Quibra Demo                 ", "", "1").caption, "Quibra Demo");
  EXPECT_EQ(Show("t", std::string(70, 'c'), "", "1").caption, std::string(63, 'c'));
  EXPECT_EQ(Show("t", "Shown?", "", "1", 0, 0, 1).caption, "") << "omitted";
}

// The rules of the flags are the runtime's (BoxRulesTest); the hook reads the
// button set from its text.
TEST_F(NativeHook, TheButtonSetIsReadFromItsText) {
  EXPECT_EQ(Show("t", "c", "", " 70", 64).flags, os::MB_YESNOCANCEL | os::MB_DEFBUTTON3) << "a leading blank";
  EXPECT_EQ(Show("t", "c", "", "", 2).flags, os::MB_OK) << "an omitted set";
}

TEST_F(NativeHook, AnyNonZeroStyleMakesTheBoxSystemModal) {
  EXPECT_EQ(Show("t", "c", rt::IconHand, "56", 0, 1).flags,
            os::MB_ABORTRETRYIGNORE + os::MB_ICONHAND + os::MB_SYSTEMMODAL);
  EXPECT_EQ(Show("t", "c", "", "1", 0, -5).flags, os::MB_SYSTEMMODAL);
  EXPECT_EQ(Show("t", "c", "", "1", 0, 0).flags, os::MB_OK);
}

TEST_F(NativeHook, ResultsComeBackAsButtonSetValues) {
  struct Case {
    int32_t id;
    int32_t button;
  };
  const Case cases[] = {{os::IDOK, 1},  {os::IDCANCEL, 64}, {os::IDABORT, 8}, {os::IDRETRY, 16}, {os::IDIGNORE, 32},
                        {os::IDYES, 2}, {os::IDNO, 4},      {0, 0},           {11, 11},          {-1, -1}};
  for (const Case& c : cases) {
    headless::Reset();
    User().AnswerNative(c.id);
    EXPECT_EQ(quibra::NativeMessageHook("t", "c", "", "70", 0, 0, 0, 0, 0), c.button) << "MessageBoxA gave " << c.id;
  }
}

TEST_F(NativeHook, TheUsersAnswerIsTranslated) {
  User().AnswerBox(rt::ButtonNo).CloseBox();
  EXPECT_EQ(quibra::NativeMessageHook("Sure?", "c", "", "6", 0, 0, 0, 0, 0), rt::ButtonNo);
  EXPECT_EQ(quibra::NativeMessageHook("Go?", "c", "", "65", 0, 0, 0, 0, 0), rt::ButtonCancel) << "the close box";
}

TEST_F(NativeHook, CopiesGoToTheProcessHeapAndAreFreedInOrder) {
  User().AnswerNative(os::IDOK);
  quibra::NativeMessageHook("a|b", "Title ", "", "1", 0, 0, 0, 0, 0);
  std::vector<headless::PlatformCall> allocs, frees;
  for (const headless::PlatformCall& c : headless::PlatformCalls()) {
    if (c.function == "HeapAlloc") allocs.push_back(c);
    if (c.function == "HeapFree") frees.push_back(c);
  }
  ASSERT_EQ(allocs.size(), 3u);
  EXPECT_EQ(allocs[0].bytes, 512u) << "the text buffer";
  EXPECT_EQ(allocs[1].bytes, 5u) << "\"a\\r\\nb\" and its terminator";
  EXPECT_EQ(allocs[2].bytes, 6u) << "\"Title\" and its terminator";
  for (const headless::PlatformCall& a : allocs) EXPECT_EQ(a.flags, 0u);
  ASSERT_EQ(frees.size(), 3u);
  EXPECT_EQ(frees[0].block, allocs[1].block) << "the text copy first";
  EXPECT_EQ(frees[1].block, allocs[2].block) << "then the caption copy";
  EXPECT_EQ(frees[2].block, allocs[0].block) << "then the buffer";
  for (const headless::PlatformCall& f : frees) {
    EXPECT_EQ(f.result, 1);
    EXPECT_EQ(f.flags, 0u) << "the process heap keeps its own serialisation: other threads use it too";
  }
  EXPECT_EQ(headless::LiveHeapBlocks(), 0);
}

TEST_F(NativeHook, AFailedAllocationShowsNoBoxAnswersNoButtonAndLeaksNothing) {
  const char* which[] = {"the text buffer", "the text copy", "the caption copy"};
  for (int failing = 0; failing < 3; ++failing) {
    headless::Reset();
    headless::FailAllocations(1, failing);
    EXPECT_EQ(quibra::NativeMessageHook("text", "caption", "", "1", 0, 0, 0, 0, 0), 0) << which[failing];
    EXPECT_TRUE(headless::Boxes().empty()) << which[failing];
    EXPECT_EQ(headless::LiveHeapBlocks(), 0) << which[failing];
    for (const headless::PlatformCall& c : headless::PlatformCalls())
      if (c.function == "HeapFree") {
        EXPECT_EQ(c.result, 1) << which[failing];
      }
  }
}

TEST_F(NativeHook, TheOwnerIsTheCurrentWindowOfTheCallingThread) {
  User().AnswerNative(os::IDOK);
  quibra::NativeMessageHook("t", "c", "", "1", 0, 0, 0, 0, 0);
  EXPECT_EQ(headless::Boxes().at(0).owner, 0) << "no window";

  rt::Window* w = rt::PrepareWindow(rt::WindowDef{.name = "OWNER"});
  rt::OpenWindow(w);
  User().AnswerNative(os::IDOK).AnswerNative(os::IDOK);
  quibra::NativeMessageHook("t", "c", "", "1", 0, 0, 0, 0, 0);
  EXPECT_EQ(headless::Boxes().at(1).owner, w->GetProperty(0, rt::PropHandle, 0).Number());
  EXPECT_NE(headless::Boxes().at(1).owner, 0);
  std::thread other([] { quibra::NativeMessageHook("t", "c", "", "1", 0, 0, 0, 0, 0); });
  other.join();
  EXPECT_EQ(headless::Boxes().at(2).owner, 0) << "the other thread has no window of its own";
}

TEST_F(NativeHook, SetMessageHookChoosesWhoDrawsTheBox) {
  quibra::ComposerUtility utility;
  // The last choice wins, however often it changes.
  for (uint8_t on : {1, 1, 0, 0, 1, 0, 1}) utility.SetMessageHook(on);
  User().AnswerBox(rt::ButtonYes);
  EXPECT_EQ(rt::MessageBox("Q", "Title", rt::IconQuestion, "6", 0, 0, 0, 2, 0), rt::ButtonYes);
  utility.SetMessageHook(0);
  EXPECT_EQ(rt::GetProperty(rt::SystemTarget, rt::PropMessageHook).Number(), 0);
  User().AnswerBox(rt::ButtonYes);
  EXPECT_EQ(rt::MessageBox("Q", "Title", rt::IconQuestion, "6", 0, 0, 0, 2, 0), rt::ButtonYes);
  std::vector<headless::BoxRecord> boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].drawer, "native");
  EXPECT_EQ(boxes[0].flags, os::MB_YESNO | os::MB_ICONQUESTION | os::MB_DEFBUTTON2);
  EXPECT_EQ(boxes[1].drawer, "runtime");
  EXPECT_EQ(boxes[1].defaultValue, rt::ButtonNo) << "both drawers read the default alike";
}

TEST_F(NativeHook, TheIntroIsATextOnlyMessage) {
  quibra::ComposerUtility utility;
  User().AnswerBox(rt::ButtonOk).AnswerBox(rt::ButtonOk);
  utility.ShowIntro();
  utility.SetMessageHook(1);
  utility.ShowIntro();
  std::vector<headless::BoxRecord> boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].drawer, "runtime");
  EXPECT_EQ(boxes[0].lines, std::vector<std::string>{"OvQuibra Demo"});
  EXPECT_EQ(boxes[0].caption, "");
  EXPECT_EQ(boxes[0].buttons, rt::ButtonOk);
  EXPECT_EQ(boxes[1].drawer, "native");
  EXPECT_EQ(boxes[1].text, "OvQuibra Demo");
  EXPECT_EQ(boxes[1].caption, "");
  EXPECT_EQ(boxes[1].flags, os::MB_OK);
}

}  // namespace
