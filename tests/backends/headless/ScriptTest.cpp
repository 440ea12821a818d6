// The scripted user's failures, the native message box recorder and the
// simulated platform calls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Win32Api.h"
#include "runtime/EventLoop.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "support/HeadlessTest.h"
#include "support/TestControl.h"

namespace {

using headless::User;

class Script : public quibra_test::HeadlessTest {};

// A window with an entry (1), a button (2) and a hidden button (3).
rt::Window* OpenSmall() {
  using K = rt::ControlKind;
  using quibra_test::TestControl;
  rt::WindowDef def{.module = "tests",
                    .name = "SMALL",
                    .controls = {TestControl(1, K::Entry), TestControl(2, K::Button), TestControl(3, K::Button)}};
  def.controls[2].hidden = true;
  rt::Window* w = rt::PrepareWindow(def);
  rt::OpenWindow(w);
  return w;
}

void RunSmallLoop() {
  rt::StartEventLoop();
  while (!rt::EndEventLoop(rt::Accepted() == 2 ? -1 : 0)) {
  }
}

std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const headless::ScriptError& e) {
    return e.what();
  }
  return "(no failure)";
}

TEST_F(Script, DisagreementsFailTheTestWithAClearMessage) {
  struct Case {
    const char* label;
    std::function<void()> script;
    std::function<void()> action;
    std::string message;
  };
  auto runtimeBox = [] { rt::MessageBox("Saved", "", "", rt::ButtonOk, 0, 0); };
  auto nativeBox = [] { os::MessageBoxA(nullptr, "Hi", "T", os::MB_OK); };
  auto window = [] {
    OpenSmall();
    RunSmallLoop();
  };
  const Case cases[] = {
      {"a box no step expects", [] { User().Press(24); }, runtimeBox,
       "message box 'Saved' shown but the script expects: press control 24"},
      {"a native box no step expects", [] { User().Type(2, "x"); }, nativeBox,
       "message box 'Hi' shown but the script expects: type 'x' into control 2"},
      {"a box with the script exhausted", [] {}, runtimeBox,
       "message box 'Saved' shown but the script has no more steps"},
      {"a native box with the script exhausted", [] {}, nativeBox,
       "message box 'Hi' shown but the script has no more steps"},
      {"a window with the script exhausted", [] {}, window,
       "window 'SMALL' waits for input but the script has no more steps"},
      {"a window where a box was expected", [] { User().AnswerBox(rt::ButtonYes); }, window,
       "window 'SMALL' waits for input but the script expects: answer the message box with YES"},
      {"a raw native answer for a runtime box", [] { User().AnswerNative(os::IDOK); }, runtimeBox,
       "message box 'Saved' shown but the script expects: answer the native message box with result 1"},
      {"a control the window lacks", [] { User().Press(99); }, window, "window 'SMALL' has no control 99"},
      {"a control of the wrong kind", [] { User().Type(2, "x"); }, window, "control 2 is a button"},
      {"a hidden control", [] { User().Press(3); }, window, "control 3 is hidden"},
      {"a button the native box lacks", [] { User().AnswerBox(rt::ButtonYes); }, nativeBox,
       "the script expects: answer the message box with YES, but message box 'Hi' shown without that button"},
  };
  for (const Case& c : cases) {
    headless::Reset();
    c.script();
    std::string message = FailureOf(c.action);
    EXPECT_NE(message.find(c.message), std::string::npos) << c.label << ": " << message;
    // A box's window never outlives the failure; the test's own window may.
    if (rt::Window* left = rt::CurrentWindow()) {
      EXPECT_EQ(left->Def().name, "SMALL") << c.label;
    }
  }
  headless::Reset();
}

TEST_F(Script, RemainingStepsAreDescribedInOrder) {
  User()
      .Type(2, "Hello")
      .SetSpin(19, 3)
      .Choose(7)
      .Toggle(20)
      .PressKey(2, 113)
      .CloseWindow()
      .PostEvent(549)
      .AnswerBox(rt::ButtonNo)
      .CloseBox()
      .EscapeBox()
      .PressKeepingFocus(24);
  EXPECT_EQ(User().Remaining(),
            (std::vector<std::string>{"type 'Hello' into control 2", "set spin 19 to 3", "choose radio 7",
                                      "toggle check box 20", "press key 113 on control 2", "close the window",
                                      "post event 549 for control 0", "answer the message box with NO",
                                      "close the message box", "press Escape in the message box",
                                      "press control 24 by its access key"}));
  User().Clear();
  EXPECT_TRUE(User().Remaining().empty());
}

TEST_F(Script, RunStepsSeeTheStateWhileSomethingWaits) {
  size_t boxesWhileWaiting = 99;
  User().Run([&] { boxesWhileWaiting = headless::Boxes().size(); }).AnswerNative(os::IDOK);
  os::MessageBoxA(nullptr, "Wait", "", os::MB_OK);
  EXPECT_EQ(boxesWhileWaiting, 1u) << "the box is recorded before it is answered";
}

// The box behaviour table (support/BoxCases.cpp) checks the recorded
// buttons, default, Escape and the close box of every button set through the
// native hook; what the hook never asks for is checked here: a default place
// beyond the set's buttons, and the owner and lines as the call gave them.
TEST_F(Script, ANativeBoxIsRecordedAsTheCallGaveIt) {
  const os::UINT flags = os::MB_RETRYCANCEL | os::MB_DEFBUTTON3;
  User().AnswerBox(rt::ButtonRetry);
  int owner = 0;
  EXPECT_EQ(os::MessageBoxA(&owner, "Line 1\r\nLine 2", "Title", flags), os::IDRETRY);
  const headless::BoxRecord r = headless::Boxes().at(0);
  EXPECT_EQ(r.drawer, "native");
  EXPECT_EQ(r.buttons, rt::ButtonRetry | rt::ButtonCancel);
  EXPECT_EQ(r.defaultValue, rt::ButtonRetry) << "a third place of two buttons is the first";
  EXPECT_EQ(r.flags, flags);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"Line 1", "Line 2"}));
  EXPECT_EQ(r.owner, reinterpret_cast<intptr_t>(&owner));
  EXPECT_EQ(r.result, rt::ButtonRetry);
}

TEST_F(Script, FullWindowDragIsSimulatedAndEveryCallRecorded) {
  headless::SetFullWindowDrag(true);
  os::BOOL value = 7;
  EXPECT_EQ(os::SystemParametersInfoA(os::SPI_GETDRAGFULLWINDOWS, 0, &value, 0), 1);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(os::SystemParametersInfoA(os::SPI_SETDRAGFULLWINDOWS, 0, nullptr, os::SPIF_SENDWININICHANGE), 1);
  EXPECT_FALSE(headless::FullWindowDrag());
  EXPECT_EQ(os::SystemParametersInfoA(os::SPI_GETDRAGFULLWINDOWS, 0, &value, 0), 1);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(os::SystemParametersInfoA(9999, 0, nullptr, 0), 0) << "other settings are not simulated";
  headless::FailSystemParameters(true);
  EXPECT_EQ(os::SystemParametersInfoA(os::SPI_SETDRAGFULLWINDOWS, 1, nullptr, 0), 0);
  EXPECT_FALSE(headless::FullWindowDrag()) << "a failed call changes nothing";

  std::vector<headless::PlatformCall> calls = headless::PlatformCalls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[1].function, "SystemParametersInfoA");
  EXPECT_EQ(calls[1].action, os::SPI_SETDRAGFULLWINDOWS);
  EXPECT_EQ(calls[1].param, 0u);
  EXPECT_EQ(calls[1].winIni, os::SPIF_SENDWININICHANGE);
  EXPECT_EQ(calls[4].result, 0);
}

TEST_F(Script, TheProcessHeapFailsOnRequestAndRefusesBadFrees) {
  os::HANDLE heap = os::GetProcessHeap();
  headless::FailAllocations(1, 1);
  void* first = os::HeapAlloc(heap, 0, 16);
  void* second = os::HeapAlloc(heap, 0, 16);
  char* third = static_cast<char*>(os::HeapAlloc(heap, 0x8, 4));
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(std::string(third, 4), std::string(4, '\0')) << "zeroed on request";
  EXPECT_EQ(headless::LiveHeapBlocks(), 2);
  EXPECT_EQ(os::HeapFree(heap, 0, first), 1);
  EXPECT_EQ(os::HeapFree(heap, 0, first), 0) << "a second free of a block is refused";
  EXPECT_EQ(os::HeapFree(heap, 0, nullptr), 0);
  EXPECT_EQ(os::HeapFree(heap, 0, third), 1);
  EXPECT_EQ(headless::LiveHeapBlocks(), 0);
}

TEST_F(Script, StringCallsHandleNullLikeWindows) {
  char buffer[8] = "zzzzzzz";
  EXPECT_EQ(os::lstrlenA(nullptr), 0);
  EXPECT_EQ(os::lstrlenA("abc"), 3);
  EXPECT_EQ(os::lstrcpyA(buffer, "hey"), buffer);
  EXPECT_STREQ(buffer, "hey");
  EXPECT_EQ(os::lstrcpyA(buffer, nullptr), nullptr);
}

int handled = 0;
void CountingHandler(const std::string&) { ++handled; }

TEST_F(Script, AFailureHandlerThatReturnsStillStopsTheWait) {
  handled = 0;
  headless::FailureHandler old = headless::SetFailureHandler(&CountingHandler);
  EXPECT_THROW(rt::MessageBox("Nobody answers", "", "", rt::ButtonOk, 0, 0), headless::ScriptError);
  headless::SetFailureHandler(old);
  EXPECT_EQ(handled, 1);
}

}  // namespace
