// A controller's life through a real window, loop and scripted user: set-up,
// the modal run, shutdown, and how a dispatch result drives the loop.
#include "WindowTestKit.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "support/CaseName.h"

namespace wintest {
namespace {

using headless::User;
using quibra::LevelNotify;
using quibra::LevelOk;

class Lifecycle : public WindowTest {};

TEST_F(Lifecycle, NewControllerIsClearedAndSetupSetsTheDefaults) {
  TestWindow w;
  EXPECT_EQ(w.AUTOREFRESH + w.AUTOTOOLBAR + w.CANCELACTION + w.CHANGEACTION + w.DEAD + w.DELETEACTION + w.FILESOPENED +
                w.FORCEDRESET + w.INITED + w.INSERTACTION + w.OPENED + w.ORIGINALREQUEST + w.REQUEST +
                w.RESETONGAINFOCUS + w.RESPONSE,
            0);
  EXPECT_EQ(w.FIRSTFIELD + w.HISTORYKEY + w.OKCONTROL + w.SAVED, 0);
  EXPECT_TRUE(!w.BUTTONS && !w.CL && !w.ERRORS && !w.FILES && !w.HISTORY && !w.PRIMARY && !w.RESIZE && !w.TOOLBAR &&
              !w.TRANSLATOR && !w.VCRREQUEST);
  EXPECT_EQ(w.LASTINSERTEDPOSITION.raw(), std::string(1024, ' '));

  w.REQUEST = quibra::RequestDelete;
  ASSERT_EQ(w.Setup(), LevelOk);
  EXPECT_EQ(w.ORIGINALREQUEST, quibra::RequestDelete);
  EXPECT_EQ(w.INSERTACTION, 2);
  EXPECT_EQ(w.DELETEACTION, 2);
  EXPECT_EQ(w.CHANGEACTION, 1);
  EXPECT_EQ(w.CANCELACTION, 3);
  EXPECT_EQ(w.AUTOTOOLBAR, 1);
  EXPECT_EQ(w.AUTOREFRESH, 1);
  ASSERT_TRUE(w.CL && w.BUTTONS);
  EXPECT_EQ(w.CL->Records() + w.BUTTONS->Records(), 0);
  EXPECT_EQ(rt::BindDepth(), 1);
  EXPECT_EQ(w.Shutdown(), LevelOk);
}

struct KeyCodeCase {
  const char* label;
  int32_t before;
  int32_t after;
};

class SetupKeyCode : public WindowTest, public testing::WithParamInterface<KeyCodeCase> {};

// A right click that opened the window must not reach it; other keys stay.
TEST_P(SetupKeyCode, RightClicksAreForgotten) {
  rt::SetKeyCode(GetParam().before);
  TestWindow w;
  ASSERT_EQ(w.Setup(), LevelOk);
  EXPECT_EQ(rt::KeyCode(), GetParam().after);
  w.Shutdown();
}

const KeyCodeCase keyCodeCases[] = {
    {"right_double_click", 130, 0},  {"right_click", 2, 0}, {"left_click", 1, 1},
    {"left_double_click", 129, 129}, {"enter", 13, 13},     {"none", 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Window, SetupKeyCode, testing::ValuesIn(keyCodeCases), quibra_test::ByLabel());

struct EndingCase {
  const char* label;
  std::function<void(TestWindow&)> script;  // queues the user's steps
  int32_t response;
};

class ModalRun : public WindowTest, public testing::WithParamInterface<EndingCase> {};

TEST_P(ModalRun, ReturnsTheResponseAndGivesBackItsBindLevel) {
  rt::PushBind(9);  // a level of the caller's, which must survive the window
  TestWindow w;
  w.configure = [](TestWindow& t) {
    t.AddButtonAction(CtlOk, quibra::ResponseCompleted);
    t.AddButtonAction(CtlCancel, quibra::ResponseCancelled);
  };
  GetParam().script(w);
  EXPECT_EQ(w.RunModal(), GetParam().response);
  EXPECT_EQ(w.shutdowns, 1);
  EXPECT_EQ(w.DEAD, 1);
  EXPECT_EQ(rt::BindDepth(), 1);
  EXPECT_EQ(rt::CurrentWindow(), nullptr);
  rt::PopBind();
}

const EndingCase endingCases[] = {
    {"closed_by_user", [](TestWindow&) { User().CloseWindow(); }, 2},
    {"ok_button_action", [](TestWindow&) { User().Press(CtlOk); }, 1},
    {"cancel_button_action", [](TestWindow&) { User().Press(CtlCancel); }, 2},
    {"finish_completed_during_loop", [](TestWindow& w) { User().Run([&w] { w.Finish(1); }); }, 1},
    {"response_set_then_closed",
     [](TestWindow& w) { User().Run([&w] { w.RESPONSE = quibra::ResponseCompleted; }).CloseWindow(); }, 1},
    {"program_ending", [](TestWindow&) { User().PostEvent(rt::EventShutdownRequested); }, 2},
};
INSTANTIATE_TEST_SUITE_P(Window, ModalRun, testing::ValuesIn(endingCases), quibra_test::ByLabel());

TEST_F(Lifecycle, SetupThatRefusesSkipsTheLoopAndStillShutsDownOnce) {
  TestWindow w;
  w.setupResult = LevelNotify;
  EXPECT_EQ(w.RunModal(), quibra::ResponseCancelled);
  EXPECT_EQ(w.dispatches, 0);
  EXPECT_EQ(w.shutdowns, 1);
  EXPECT_EQ(w.DEAD, 1);
}

TEST_F(Lifecycle, ShutdownReleasesComponentsInOrderEachOutOfTheListFirst) {
  TestWindow w;
  FakeComponent a("A", &w), b("B", &w), c("C", &w);
  quibra::ToolbarRouter router;
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.AddComponent(&b);
    t.AddComponent(&c);
    t.AttachToolbar(&router);
  };
  User().CloseWindow();
  w.RunModal();
  // The window's bind level is given back only once its components are released.
  EXPECT_EQ(Trace({"Release"}), "A.Release/left=2/bind=1 B.Release/left=1/bind=1 C.Release/left=0/bind=1");
  EXPECT_EQ(rt::BindDepth(), 0);
  EXPECT_TRUE(!w.CL && !w.BUTTONS && !w.HISTORY);
  EXPECT_EQ(router.LIST, nullptr);
  EXPECT_EQ(w.TOOLBAR, &router) << "the router stays with the window's procedure";
}

TEST_F(Lifecycle, SecondShutdownAndShutdownBeforeSetupChangeNothing) {
  TestWindow never;
  EXPECT_EQ(never.Shutdown(), LevelNotify);

  TestWindow w;
  FakeComponent a("A");
  w.HISTORY = new rt::Queue<quibra::FieldHistoryEntry>;
  w.configure = [&](TestWindow& t) { t.AddComponent(&a); };
  User().CloseWindow();
  w.RunModal();
  rt::PushBind(4);
  EXPECT_EQ(w.Shutdown(), LevelNotify);
  EXPECT_EQ(rt::BindDepth(), 1) << "the second shutdown popped a level it had not pushed";
  EXPECT_EQ(Count("A.Release"), 1);
  rt::PopBind();
}

// A controller that has shut down cannot run again: a second RunModal must
// neither open its window nor push a bind level that nothing pops.
TEST_F(Lifecycle, DeadControllerDoesNotRunAgain) {
  TestWindow w;
  User().Press(CtlOk);
  w.configure = [](TestWindow& t) { t.AddButtonAction(CtlOk, 1); };
  EXPECT_EQ(w.RunModal(), 1);
  const int dispatched = w.dispatches;
  EXPECT_EQ(w.RunModal(), 1);
  EXPECT_EQ(w.dispatches, dispatched);
  EXPECT_EQ(rt::CurrentWindow(), nullptr);
}

// The dispatch result of a close request, given by the first of two
// components: 3 stops the loop with the window still open, 5 keeps it open,
// anything else lets the close happen. The second component never sees an
// event that the first answered.
struct LevelCase {
  const char* label;
  Level result;
  bool endsOnFirstClose;
  bool openAtShutdown;
};

class LevelMapping : public WindowTest, public testing::WithParamInterface<LevelCase> {};

TEST_P(LevelMapping, ComponentResultOnACloseRequest) {
  TestWindow w;
  FakeComponent first("A"), second("B");
  first.results[rt::EventCloseRequested] = GetParam().result;
  int closes = 0;  // the second close request is answered 0, so every case ends
  first.onEvent = [&closes](FakeComponent& c) {
    if (rt::Event() == rt::EventCloseRequested && ++closes == 2) c.results.clear();
  };
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&first);
    t.AddComponent(&second);
  };
  User().CloseWindow().CloseWindow();
  w.RunModal();
  const bool ended = User().Remaining().size() == 1;
  User().Clear();
  EXPECT_EQ(ended, GetParam().endsOnFirstClose);
  EXPECT_EQ(w.openAtShutdown, GetParam().openAtShutdown);
  EXPECT_EQ(w.results.at(1), GetParam().result);
  EXPECT_EQ(Count("B.Event(513:0)"), (GetParam().result == 0) + !ended) << "B sees no close that A answered";
}

const LevelCase levelCases[] = {
    {"ok_closes", 0, true, false},
    {"question_closes", 1, true, false},
    {"program_error_closes", 2, true, false},
    {"fatal_stops_loop", 3, true, true},
    {"cancel_closes", 4, true, false},
    {"notify_keeps_open", 5, false, false},
    {"unknown_level_closes", 7, true, false},
};
INSTANTIATE_TEST_SUITE_P(Window, LevelMapping, testing::ValuesIn(levelCases), quibra_test::ByLabel());

// The user presses OK, then closes the window while the validation pass that
// OK started is still going: the window closes cancelled and never completes.
TEST_F(Lifecycle, CloseDuringValidationPassClosesWithoutCompleting) {
  TestWindow w;
  w.REQUEST = quibra::RequestChange;
  FakeComponent a("A");
  a.onEvent = [](FakeComponent&) {
    if (rt::Event() == rt::EventControlAccepted && rt::Field() == CtlName) rt::Post(rt::EventCloseRequested);
  };
  w.configure = [&](TestWindow& t) {
    t.OKCONTROL = CtlOk;
    t.AddComponent(&a);
  };
  User().Press(CtlOk);
  EXPECT_EQ(w.RunModal(), quibra::ResponseCancelled);
  EXPECT_EQ(Trace({"Event(1:", "Event(513", "Event(549"}), "A.Event(1:4)* A.Event(1:1)* A.Event(513:0)*");
  EXPECT_EQ(w.closeRequests, 1);
}

// Two accepts of the same button reach the loop before it ends: the window
// finishes with the button's response and closes once.
TEST_F(Lifecycle, ButtonAcceptedTwiceClosesOnceWithItsResponse) {
  TestWindow w;
  w.configure = [](TestWindow& t) { t.AddButtonAction(CtlOk, quibra::ResponseCompleted); };
  User().Run([&w] {
    w.window->Post(rt::EventControlAccepted, CtlOk);
    w.window->Post(rt::EventControlAccepted, CtlOk);
  });
  EXPECT_EQ(w.RunModal(), quibra::ResponseCompleted);
  EXPECT_EQ(Count("W.OnAccepted(4)"), 2);
  EXPECT_EQ(w.closeRequests, 1);
  EXPECT_FALSE(w.openAtShutdown);
}

// A window opened from a handler runs its own loop on its own bind level;
// when it has closed, the first window's loop carries on with its events.
TEST_F(Lifecycle, WindowOpenedFromAHandlerRunsItsOwnLoop) {
  TestWindow parent, child;
  FakeComponent opener("P");
  int32_t childResponse = 0, depthInChild = 0;
  opener.onEvent = [&](FakeComponent&) {
    if (rt::Event() == rt::EventControlAccepted && rt::Field() == CtlOk) childResponse = child.RunModal();
  };
  parent.configure = [&](TestWindow& t) {
    t.AddComponent(&opener);
    t.AddButtonAction(CtlCancel, quibra::ResponseCancelled);
  };
  child.configure = [](TestWindow& t) { t.AddButtonAction(CtlOk, quibra::ResponseCompleted); };
  User().Press(CtlOk);
  User().Type(CtlName, "Child").Run([&] { depthInChild = rt::BindDepth(); }).Press(CtlOk);
  User().Type(CtlName, "Parent").Press(CtlCancel);
  EXPECT_EQ(parent.RunModal(), quibra::ResponseCancelled);
  EXPECT_EQ(childResponse, quibra::ResponseCompleted);
  EXPECT_EQ(depthInChild, 2);
  EXPECT_EQ(rt::Clip({child.record.NAME, 20}), "Child");
  EXPECT_EQ(rt::Clip({parent.record.NAME, 20}), "Parent");
  EXPECT_EQ(child.closeRequests + parent.closeRequests, 2);
}

}  // namespace
}  // namespace wintest
