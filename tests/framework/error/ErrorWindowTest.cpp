// The error message window as a user meets it: run through the real window,
// event loop and scripted user, directly and through the manager's history.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ManagerTest.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ErrorWindowDef.h"
#include "framework/error/ErrorWindowModule.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "runtime/WindowDef.h"
#include "support/HaltIntercept.h"
#include "support/TestControl.h"

namespace {

using namespace quibra;
using headless::User;
using Buttons = std::vector<std::pair<int32_t, std::string>>;
using Rows = std::vector<std::vector<std::string>>;

constexpr int32_t kList = 200;
constexpr int32_t kImage = 300;
constexpr int32_t kClose = 0;      // a "press" of the close box
constexpr int32_t kNotShown = -1;  // no window is expected
const Buttons kAll = {{100, "&Help"},  {101, "&Cancel"}, {102, "&Ignore"}, {103, "&Retry"},
                      {104, "&Abort"}, {105, "&No"},     {106, "&Yes"},    {107, "O&k"}};
const Buttons kYesNo = {{100, "&No"}, {101, "&Yes"}};

// A plain window with one button (1), to stand for the program's own.
rt::Window* PrepareOtherWindow() {
  return rt::PrepareWindow(rt::WindowDef{.module = "test",
                                         .name = "other",
                                         .caption = "Other",
                                         .controls = {quibra_test::TestControl(1, rt::ControlKind::Button)}});
}

// What the user sees while the window waits.
struct Seen {
  std::string module;
  std::string title;
  Buttons buttons;                // the visible buttons, by control number
  std::vector<int32_t> default_;  // the buttons flagged as default
  int32_t focusedButton = 0;      // 0 when no button has the focus
  std::string icon;
  Rows rows;
  int64_t selected = 0;
};

Seen Look() {
  Seen s;
  rt::Window* w = rt::CurrentWindow();
  if (!w) {
    ADD_FAILURE() << "no window is open";
    return s;
  }
  s.module = w->Def().module;
  s.title = w->Title();
  for (int32_t c = 100; c <= 107; ++c) {
    if (!w->IsHidden(c)) s.buttons.emplace_back(c, w->Text(c));
    if (rt::GetProperty(w, c, rt::PropDefaultButton).Number() != 0) s.default_.push_back(c);
  }
  if (w->Focus() >= 100 && w->Focus() <= 107) s.focusedButton = w->Focus();
  s.icon = w->Text(kImage);
  s.rows = headless::ListRows(*w, kList);
  s.selected = rt::GetProperty(w, kList, rt::PropListSelection).Number();
  return s;
}

class ErrorWindow : public error_test::ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    ErrorWindowModuleSetup(0);
  }
  void TearDown() override {
    ErrorWindowModuleSetup(1);
    ManagerTest::TearDown();
  }

  // Queues a look at the waiting window, then a press of `control`.
  void ScriptLookThen(int32_t control) {
    seen.reset();
    User().Run([this] { seen = Look(); });
    if (control == kClose)
      User().CloseWindow();
    else
      User().Press(control);
  }
  int32_t Show(const std::string& caption, int32_t buttons, int32_t def, int32_t press) {
    ScriptLookThen(press);
    return manager.RunHistoryWindow(caption, 0, buttons, def);
  }
  // Records entries in the history without showing anything.
  void Record(const std::vector<uint16_t>& ids) {
    const uint8_t silent = manager.SILENT;
    manager.SILENT = 1;
    for (uint16_t id : ids) manager.Raise(id);
    manager.SILENT = silent;
  }

  std::optional<Seen> seen;
};

struct ButtonCase {
  const char* label;
  int32_t buttons;
  int32_t def;
  Buttons shown;
  std::vector<int32_t> defaults;
  int32_t press;
  int32_t result;
};

TEST_F(ErrorWindow, ButtonsStandRightAlignedAndGiveTheirValue) {
  const Buttons yesNoCancel = {{100, "&Cancel"}, {101, "&No"}, {102, "&Yes"}};
  const ButtonCase cases[] = {
      {"Yes No Cancel, No pressed", 70, 64, yesNoCancel, {100}, 101, 4},
      {"Ok Help, Help pressed", 129, 1, {{100, "&Help"}, {101, "O&k"}}, {101}, 100, 128},
      {"all eight, Ok pressed", 255, 1, kAll, {107}, 107, 1},
      {"all eight, Abort pressed", 255, 16, kAll, {103}, 104, 8},
      {"no buttons: closing gives the default", 0, 2, {}, {}, kClose, 2},
      {"default outside the set", 6, 64, kYesNo, {}, kClose, 64},
      {"a default of two buttons marks neither", 6, 6, kYesNo, {}, kClose, 6},
      {"Ok closed by its close box", 1, 1, {{100, "O&k"}}, {100}, kClose, 1},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Show("", c.buttons, c.def, c.press), c.result);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->module, "errorwin");
    EXPECT_EQ(seen->buttons, c.shown);
    EXPECT_EQ(seen->default_, c.defaults);
    EXPECT_EQ(seen->focusedButton, c.defaults.empty() ? 0 : c.defaults[0]);
    EXPECT_EQ(seen->icon, rt::IconExclamation) << "icon 0 is the exclamation icon";
    EXPECT_EQ(rt::CurrentWindow(), nullptr) << "the window closed";
  }
}

// Every control has a size of its own, so that every window's layout rule
// (inside the window, none over another: ProgramRunTest) covers them all.
TEST(ErrorWindowDefinition, EveryControlHasASizeOfItsOwn) {
  for (const rt::ControlDef& c : ErrorWindowDefinition().controls) {
    SCOPED_TRACE(c.name);
    EXPECT_GT(c.width, 0);
    EXPECT_GT(c.height, 0);
  }
}

TEST(ErrorWindowDefinition, TheButtonsStandInOneRowBelowTheListInPlaceOrder) {
  const rt::WindowDef& def = ErrorWindowDefinition();
  // The places are in dialog units of the runtime's standard font: in
  // another font they would no longer fit.
  EXPECT_EQ(def.fontName, rt::WindowDef{}.fontName);
  EXPECT_EQ(def.fontSize, rt::WindowDef{}.fontSize);
  const rt::ControlDef* list = def.Find(ErrorListControl);
  const rt::ControlDef* image = def.Find(ErrorImageControl);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_LE(image->x + image->width, list->x) << "the icon stands left of the list";
  // ?BUTTON1 (the highest number) is leftmost.
  const rt::ControlDef* previous = nullptr;
  for (int32_t n = ErrorFirstButtonControl + 7; n >= ErrorFirstButtonControl; --n) {
    const rt::ControlDef* b = def.Find(n);
    ASSERT_NE(b, nullptr) << n;
    EXPECT_TRUE(b->hidden) << "hidden until a run shows it";
    EXPECT_GE(b->y, list->y + list->height) << n;
    if (previous) {
      EXPECT_EQ(b->y, previous->y) << n;
      EXPECT_EQ(b->width, previous->width) << n;
      EXPECT_GT(b->x, previous->x + previous->width) << "a gap between buttons " << n;
    }
    previous = b;
  }
  EXPECT_EQ(def.controls.size(), 10u) << "the icon, the list and eight buttons";
}

TEST_F(ErrorWindow, OnlyShownButtonsEndTheWindow) {
  // Accepting a hidden button (there is no user step for it: a hidden
  // control cannot be pressed) or the list must leave the window waiting.
  User().PostEvent(rt::EventControlAccepted, 102);
  User().PostEvent(rt::EventControlAccepted, 107);
  User().PostEvent(rt::EventControlAccepted, kList);
  ScriptLookThen(101);
  EXPECT_EQ(manager.RunHistoryWindow("", 0, 6, 2), 2);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->buttons, kYesNo);
}

struct RunCase {
  const char* label;
  std::string caption;
  int32_t buttons;
  int32_t def;
  std::string title;
  Buttons shown;
  std::vector<int32_t> defaults;
};

TEST_F(ErrorWindow, EachRunStartsFromTheDefinition) {
  const RunCase runs[] = {
      {"no caption keeps the title", "", 255, 4, "Error", kAll, {105}},
      {"a caption replaces it", "Errors History", 129, 1, "Errors History", {{100, "&Help"}, {101, "O&k"}}, {101}},
      {"then no caption and fewer buttons", "", 6, 64, "Error", kYesNo, {}},
  };
  for (const RunCase& r : runs) {
    SCOPED_TRACE(r.label);
    Show(r.caption, r.buttons, r.def, 100);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->title, r.title);
    EXPECT_EQ(seen->buttons, r.shown);
    EXPECT_EQ(seen->default_, r.defaults);
  }
}

struct ListCase {
  const char* label;
  std::vector<uint16_t> ids;
  Rows rows;
};

TEST_F(ErrorWindow, TheListShowsTheHistoryNewestSelected) {
  Load(901, LevelNotify, "First", "The first message");
  Load(902, LevelNotify, "Second", "The second message");
  Load(903, LevelQuestion, "Third", "The third message?");
  manager.AssignCategory(902, "Files");
  manager.HISTORYTHRESHOLD = -1;
  const ListCase cases[] = {
      {"three entries",
       {901, 902, 903},
       {{"The first message", "App"}, {"The second message", "Files"}, {"The third message?", "App"}}},
      {"an empty history", {}, {}},
      {"one entry", {903}, {{"The third message?", "App"}}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.label);
    manager.ClearHistory();
    Record(c.ids);
    std::vector<std::string> cells;
    User().Run([&] {
      rt::Window* w = rt::CurrentWindow();
      for (int32_t row : {-1, -2, -3, 0, 1, static_cast<int32_t>(c.rows.size()) + 1})
        for (int32_t column : {1, 2, 3}) cells.push_back(w->ListCell(kList, row, column));
    });
    ScriptLookThen(101);
    manager.ShowHistory();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->rows, c.rows);
    EXPECT_EQ(seen->selected, static_cast<int64_t>(c.rows.size()));
    const std::string n = std::to_string(c.rows.size());
    std::vector<std::string> expected = {n, n, n, "2", "2", "2", "1", "1", "1", "", "", ""};
    if (c.rows.empty())
      expected.insert(expected.end(), {"", "", ""});
    else
      expected.insert(expected.end(), {c.rows[0][0], c.rows[0][1], ""});
    expected.insert(expected.end(), {"", "", ""});  // the row after the last
    EXPECT_EQ(cells, expected) << "rows -1, -2, -3, 0, 1 and one past the end, columns 1 to 3";
  }
}

TEST_F(ErrorWindow, ShowHistoryShowsOkAndHelpAndHelpCloses) {
  Record({22});
  manager.HISTORYTHRESHOLD = 5;
  Record({22, 38});
  ScriptLookThen(100);
  manager.ShowHistory();
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->title, "Errors History");
  EXPECT_EQ(seen->buttons, (Buttons{{100, "&Help"}, {101, "O&k"}}));
  EXPECT_EQ(seen->default_, std::vector<int32_t>{101});
  EXPECT_EQ(seen->rows.size(), 2u) << "the message before the history was switched on is not in it";
  EXPECT_FALSE(SharedErrorWindow->IsOpen());
  EXPECT_EQ(manager.HISTORY->Records(), 2) << "viewing on demand keeps the history";
}

struct ViewCase {
  const char* label;
  uint8_t level;
  int32_t viewLevel;
  int32_t press;
  Level result;
  Buttons shown;
};

TEST_F(ErrorWindow, OnlyTheViewedLevelOpensTheWindow) {
  const ViewCase cases[] = {
      {"notice at the viewed level", LevelNotify, LevelNotify, 100, LevelNotify, {{100, "O&k"}}},
      {"question at the viewed level, No", LevelQuestion, LevelQuestion, 100, LevelCancel, kYesNo},
      {"question closed: its default, Yes", LevelQuestion, LevelQuestion, kClose, LevelOk, kYesNo},
      {"notice below a fatal view level", LevelNotify, LevelFatal, kNotShown, LevelNotify, {}},
      {"question while notices are viewed", LevelQuestion, LevelNotify, kNotShown, LevelOk, {}},
  };
  manager.HISTORYTHRESHOLD = 10;
  Record({22});  // an older entry, to show the new one is last
  uint16_t id = 910;
  for (const ViewCase& c : cases) {
    SCOPED_TRACE(c.label);
    ++id;
    const std::string text = "Message " + std::to_string(id);
    Load(id, c.level, "Title " + std::to_string(id), text);
    manager.HISTORYVIEWLEVEL = c.viewLevel;
    const std::size_t boxesBefore = headless::Boxes().size();
    seen.reset();
    if (c.press != kNotShown) ScriptLookThen(c.press);
    EXPECT_EQ(manager.Raise(id), c.result);
    EXPECT_EQ(headless::Boxes().size(), boxesBefore) << "no message box, only the window";
    EXPECT_EQ(manager.HISTORY->At(manager.HISTORY->Records()).TXT.str(), text) << "recorded either way";
    if (c.press == kNotShown) {
      EXPECT_FALSE(seen);
      continue;
    }
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->title, "Title " + std::to_string(id));
    EXPECT_EQ(seen->buttons, c.shown);
    EXPECT_EQ(seen->icon, rt::IconExclamation) << "an icon name reaches the window as 0";
    ASSERT_FALSE(seen->rows.empty());
    EXPECT_EQ(seen->rows.back(), (std::vector<std::string>{text, "App"}));
    EXPECT_EQ(seen->selected, static_cast<int64_t>(seen->rows.size()));
  }
}

TEST_F(ErrorWindow, ResetOnViewEmptiesTheHistoryAfterEachShow) {
  Load(920, LevelNotify, "Notice", "Shown and then forgotten");
  manager.HISTORYTHRESHOLD = -1;
  manager.HISTORYVIEWLEVEL = LevelNotify;
  manager.HISTORYRESETONVIEW = 1;
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ScriptLookThen(100);
    manager.Raise(920);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->rows, (Rows{{"Shown and then forgotten", "App"}}));
    EXPECT_EQ(manager.HISTORY->Records(), 0);
  }
}

TEST_F(ErrorWindow, AFatalMessageIsShownInTheWindowAndThenHalts) {
  Load(930, LevelFatal, "Disk Failure", "The disk is gone");
  manager.HISTORYTHRESHOLD = -1;  // the view level stays at its default, fatal
  for (int32_t press : {100, kClose}) {
    SCOPED_TRACE(press == kClose ? "closed by its close box" : "Ok pressed");
    ScriptLookThen(press);
    try {
      manager.Raise(930);
      ADD_FAILURE() << "a fatal message returned";
    } catch (const quibra_test::Halted& halted) {
      EXPECT_EQ(halted.level, 0);
    }
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->title, "Disk Failure");
    EXPECT_EQ(seen->buttons, (Buttons{{100, "O&k"}}));
    EXPECT_EQ(seen->rows.back()[0], "The disk is gone  Press OK to end this application");
    EXPECT_EQ(rt::CurrentWindow(), nullptr) << "the window closed before the halt";
  }
}

TEST_F(ErrorWindow, AMessageFromInsideAnotherWindowReturnsToIt) {
  Load(940, LevelNotify, "Notice", "From inside");
  manager.HISTORYTHRESHOLD = -1;
  manager.HISTORYVIEWLEVEL = LevelNotify;
  rt::Window* outer = PrepareOtherWindow();
  ASSERT_NE(outer, nullptr);

  Level raised = LevelOk;
  User().Run([&] { raised = manager.Raise(940); });
  ScriptLookThen(100);
  User().Press(1).CloseWindow();
  std::vector<int32_t> outerEvents;
  rt::OpenWindow(outer);
  rt::StartEventLoop();
  do {
    outerEvents.push_back(rt::Event());
    EXPECT_EQ(rt::CurrentWindow(), outer);
  } while (!rt::EndEventLoop(0));
  EXPECT_EQ(raised, LevelNotify);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->module, "errorwin");
  EXPECT_EQ(outerEvents,
            (std::vector<int32_t>{rt::EventWindowOpened, rt::EventControlAccepted, rt::EventCloseRequested}))
      << "the outer window sees its own events only";
}

TEST_F(ErrorWindow, AReleasedSharedWindowIsPreparedAgain) {
  // Releasing every window (as a program's end does) leaves the shared
  // window's pointer stale; a window prepared since may sit at the same
  // address, and the error window must not borrow it.
  headless::Reset();
  for (int i = 0; i < 4; ++i) ASSERT_NE(PrepareOtherWindow(), nullptr);
  Show("", 1, 1, 100);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->module, "errorwin");
  EXPECT_EQ(seen->title, "Error");
  EXPECT_EQ(seen->buttons, (Buttons{{100, "O&k"}}));
}

}  // namespace
