// Event dispatch through a real window: which handler and which component
// sees an event, when the window refreshes, rejected input and the start of
// a form's completion.
#include <cstring>

#include "WindowTestKit.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"
#include "support/CaseName.h"

namespace wintest {
namespace {

using headless::User;
using quibra::LevelNotify;
using quibra::LevelOk;

class Dispatch : public WindowTest {};

// A window whose own handler answers the events named in `answers`.
class AnsweringWindow : public TestWindow {
 public:
  std::map<int32_t, Level> answers;
  Level OnWindowEvent() override {
    auto it = answers.find(rt::Event());
    return it != answers.end() ? it->second : TestWindow::OnWindowEvent();
  }
};

TEST_F(Dispatch, WindowEventAnsweredByTheWindowNeverReachesComponents) {
  AnsweringWindow w;
  w.answers[rt::EventWindowOpened] = LevelNotify;
  FakeComponent a("A");
  w.configure = [&](TestWindow& t) { t.AddComponent(&a); };
  User().PostEvent(rt::EventFocusGained).CloseWindow();
  w.RunModal();
  EXPECT_EQ(Trace({"Event("}), "A.Event(518:0) A.Event(513:0)");
  EXPECT_EQ(w.results.front(), LevelNotify);
}

TEST_F(Dispatch, ButtonActionEndsTheEventBeforeComponents) {
  TestWindow w;
  FakeComponent a("A");
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.AddButtonAction(CtlCancel, 2);
    t.AddButtonAction(CtlCancel, 1);  // a later entry for the same control is never used
  };
  User().Press(CtlCancel);
  EXPECT_EQ(w.RunModal(), 2);
  EXPECT_EQ(Trace({"Event("}), "A.Event(515:0) A.Event(257:5) A.Event(513:0)");
  EXPECT_EQ(w.results, (std::vector<Level>{LevelOk, LevelOk, LevelNotify, LevelOk}));
}

struct AutoRefreshCase {
  const char* label;
  uint8_t autoRefresh;
  uint8_t needsA, needsB;
  int asksA, asksB, refreshesA;  // over the window's two events, 515 and 513
};

class AutoRefresh : public WindowTest, public testing::WithParamInterface<AutoRefreshCase> {};

// 515 activates the window (one refresh of its own); after each event the
// components are asked in order until one needs a refresh.
TEST_P(AutoRefresh, AtMostOneRefreshPerEvent) {
  const AutoRefreshCase& c = GetParam();
  TestWindow w;
  FakeComponent a("A"), b("B");
  a.needsRefresh = c.needsA;
  b.needsRefresh = c.needsB;
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.AddComponent(&b);
    t.AUTOREFRESH = c.autoRefresh;
  };
  User().CloseWindow();
  w.RunModal();
  EXPECT_EQ(Count("A.NeedsRefresh"), c.asksA);
  EXPECT_EQ(Count("B.NeedsRefresh"), c.asksB);
  EXPECT_EQ(Count("A.Refresh(0)"), c.refreshesA);
  EXPECT_EQ(Count("B.Refresh(0)"), c.refreshesA);
}

const AutoRefreshCase autoRefreshCases[] = {
    {"both_need", 1, 1, 1, 2, 0, 3},
    {"second_needs", 1, 0, 1, 2, 2, 3},
    {"none_needs", 1, 0, 0, 2, 2, 1},
    {"off_never_asks", 0, 1, 1, 0, 0, 1},
};
INSTANTIATE_TEST_SUITE_P(Window, AutoRefresh, testing::ValuesIn(autoRefreshCases), quibra_test::ByLabel());

struct WindowEventCase {
  const char* label;
  bool hideOpened;  // an event callback swallows 515, so 518 comes first
  uint8_t resetOnGainFocus;
  std::vector<int32_t> events;
  const char* trace;  // translator and component refreshes
};

class WindowEvents : public WindowTest, public testing::WithParamInterface<WindowEventCase> {};

TEST_P(WindowEvents, ActivationAndRefreshes) {
  const WindowEventCase& c = GetParam();
  TestWindow w;
  FakeComponent a("A");
  FakeTranslator translator;
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.TRANSLATOR = &translator;
    t.RESETONGAINFOCUS = c.resetOnGainFocus;
    if (c.hideOpened)
      rt::RegisterEvent(
          rt::EventWindowOpened, [](void*) { return int32_t{1}; }, nullptr);
  };
  for (int32_t event : c.events) User().PostEvent(event);
  User().CloseWindow();
  w.RunModal();
  EXPECT_EQ(Trace({"Refresh(", "T.Apply"}), c.trace);
  EXPECT_EQ(w.INITED & 1, 1);
}

const WindowEventCase windowEventCases[] = {
    {"opened_activates_focus_refreshes", false, 0, {518}, "T.Apply(0) A.Refresh(0) A.Refresh(0)"},
    {"opened_twice_activates_once", false, 0, {515}, "T.Apply(0) A.Refresh(0)"},
    {"focus_gained_first_activates", true, 0, {518, 518}, "T.Apply(0) A.Refresh(0) A.Refresh(0)"},
    {"first_resize_only_noted", false, 0, {561}, "T.Apply(0) A.Refresh(0)"},
    {"second_resize_refreshes", false, 0, {561, 561}, "T.Apply(0) A.Refresh(0) A.Refresh(0)"},
    {"focus_lost_forces_next_refresh", false, 1, {517, 518}, "T.Apply(0) A.Refresh(0) A.Refresh(1)"},
    {"focus_lost_without_reset", false, 0, {517, 518}, "T.Apply(0) A.Refresh(0) A.Refresh(0)"},
    {"force_consumed_once", false, 1, {517, 518, 518}, "T.Apply(0) A.Refresh(0) A.Refresh(1) A.Refresh(0)"},
};
INSTANTIATE_TEST_SUITE_P(Window, WindowEvents, testing::ValuesIn(windowEventCases), quibra_test::ByLabel());

TEST_F(Dispatch, OpeningGivesTheFocusToTheFirstField) {
  TestWindow w;
  w.configure = [](TestWindow& t) { t.FIRSTFIELD = CtlCity; };
  int32_t focus = 0;
  User().Run([&] { focus = rt::Focus(); }).CloseWindow();
  w.RunModal();
  EXPECT_EQ(focus, CtlCity);
}

// A refresh asks the components to refresh, then to redisplay, then shows
// the variables as they now stand: a value set after the window opened is on
// screen once the window is active.
TEST_F(Dispatch, ARefreshRefreshesRedisplaysThenShowsTheVariables) {
  TestWindow w;
  FakeComponent a("A");
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    std::memset(t.record.NAME, ' ', sizeof t.record.NAME);
    std::memcpy(t.record.NAME, "Ada", 3);
  };
  std::string shown;
  User().Run([&] { shown = w.window->Contents(CtlName); }).CloseWindow();
  w.RunModal();
  EXPECT_EQ(shown, "Ada");
  EXPECT_EQ(Trace({"A.Refresh", "A.Redisplay"}), "A.Refresh(0) A.Redisplay");
}

// Nothing in the controller commits its components; a derived window may,
// and they commit in the order they were added.
TEST_F(Dispatch, CommittingTheComponentsCommitsEachInListOrder) {
  TestWindow w;
  FakeComponent a("A"), b("B");
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.AddComponent(&b);
  };
  User().Run([&] { w.CommitComponents(); }).CloseWindow();
  w.RunModal();
  EXPECT_EQ(Trace({"A.Commit", "B.Commit"}), "A.Commit B.Commit");
}

// A refresh skipped while a validation pass runs keeps the forced refresh
// that losing the focus armed, for the first refresh after the pass.
TEST_F(Dispatch, RefreshWaitsForTheValidationPassAndKeepsTheForce) {
  TestWindow w;
  w.REQUEST = quibra::RequestChange;
  FakeComponent a("A");
  a.onEvent = [](FakeComponent& c) { c.needsRefresh = rt::GetProperty(0, rt::PropValidationPass).Number() != 0; };
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.OKCONTROL = CtlOk;
    t.RESETONGAINFOCUS = 1;
  };
  uint8_t forcedAfterPass = 0;
  User().PostEvent(rt::EventFocusLost).Press(CtlOk);
  User().Run([&] { forcedAfterPass = w.FORCEDRESET; }).PostEvent(rt::EventFocusGained).CloseWindow();
  w.RunModal();
  EXPECT_EQ(Count("A.Event(549:0)"), 1) << "the pass must have completed";
  EXPECT_EQ(forcedAfterPass, 1);
  EXPECT_EQ(Trace({"Refresh("}), "A.Refresh(0) A.Refresh(1)");
}

struct SelectionCase {
  const char* label;
  int32_t control;
  uint8_t autoToolbar;
  const char* trace;
};

class SelectionChanged : public WindowTest, public testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionChanged, OnlyATabSheetRefreshesAndRepicksTheToolbarClient) {
  const SelectionCase& c = GetParam();
  TestWindow w;
  FakeComponent a("A");
  quibra::ToolbarRouter router;
  FakeToolbarClient client("K", 1);
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.AttachToolbar(&router);
    AddClient(router, 1, client);
    t.AUTOTOOLBAR = c.autoToolbar;
  };
  User().Run([] { Log().clear(); }).PostEvent(rt::EventSelectionChanged, c.control).CloseWindow();
  w.RunModal();
  EXPECT_EQ(Trace({"Refresh(", "K."}), c.trace);
}

const SelectionCase selectionCases[] = {
    {"tab_sheet", CtlTabs, 1, "A.Refresh(0) K.Wants"},
    {"tab_sheet_without_auto_toolbar", CtlTabs, 0, "A.Refresh(0)"},
    {"entry", CtlName, 1, ""},
};
INSTANTIATE_TEST_SUITE_P(Window, SelectionChanged, testing::ValuesIn(selectionCases), quibra_test::ByLabel());

// The user types a letter into the one-digit spin and moves on: a beep, the
// stored value back in the spin and the focus back on it.
TEST_F(Dispatch, RejectedInputBeepsAndRestoresTheStoredValue) {
  TestWindow w;
  w.record.COUNT = 4;
  FakeComponent a("A");
  w.configure = [&](TestWindow& t) { t.AddComponent(&a); };
  std::string shown;
  int32_t focus = 0;
  User().Type(CtlCount, "x").Type(CtlCity, "Oslo");
  User().Run([&] {
    shown = w.window->Contents(CtlCount);
    focus = rt::Focus();
  });
  User().CloseWindow();
  w.RunModal();
  EXPECT_EQ(headless::Beeps(), (std::vector<headless::BeepRecord>{{150, 16}}));
  EXPECT_EQ(Count("A.Event(26:2)"), 1);
  EXPECT_EQ(shown, "4");
  EXPECT_EQ(w.record.COUNT, 4);
  EXPECT_EQ(focus, CtlCount);
}

struct CompletionCase {
  const char* label;
  uint8_t request;
  bool badSpin;       // the spin holds a letter, typed and not yet accepted
  const char* trace;  // what the component sees from the OK button's accept on
};

class StartCompletion : public WindowTest, public testing::WithParamInterface<CompletionCase> {};

TEST_P(StartCompletion, ValidatesChangesAndInsertsCompletesOthersAtOnce) {
  const CompletionCase& c = GetParam();
  TestWindow w;
  w.REQUEST = c.request;
  FakeComponent a("A");
  w.configure = [&](TestWindow& t) {
    t.AddComponent(&a);
    t.OKCONTROL = CtlOk;
  };
  if (c.badSpin) User().Type(CtlCount, "x");
  User().PressKeepingFocus(CtlOk).CloseWindow();
  w.RunModal();
  const std::string all = Trace({"A.Event("});
  EXPECT_EQ(all.substr(all.find("A.Event(1:4)")), c.trace);
}

const CompletionCase completionCases[] = {
    {"none_completes_at_once", 0, false, "A.Event(1:4) A.Event(549:0) A.Event(513:0)"},
    {"delete_completes_at_once", 3, false, "A.Event(1:4) A.Event(549:0) A.Event(513:0)"},
    {"insert_validates", 1, false,
     "A.Event(1:4)* A.Event(1:1)* A.Event(1:2)* A.Event(1:3)* A.Event(549:0) A.Event(513:0)"},
    {"change_validates", 2, false,
     "A.Event(1:4)* A.Event(1:1)* A.Event(1:2)* A.Event(1:3)* A.Event(549:0) A.Event(513:0)"},
    {"broken_picture_stops_the_pass", 2, true, "A.Event(1:4)* A.Event(1:1)* A.Event(26:2) A.Event(513:0)"},
};
INSTANTIATE_TEST_SUITE_P(Window, StartCompletion, testing::ValuesIn(completionCases), quibra_test::ByLabel());

}  // namespace
}  // namespace wintest
