// What every message leaves behind in the history, and the levels' results,
// with SILENT set so that nothing is shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ManagerTest.h"
#include "framework/error/ErrorManager.h"
#include "support/HaltIntercept.h"

namespace {

using namespace quibra;

class SilentManager : public error_test::ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    manager.SILENT = 1;
  }
  std::vector<std::string> HistoryTexts() {
    std::vector<std::string> texts;
    for (int32_t n = 1; n <= manager.HISTORY->Records(); ++n) texts.push_back(manager.HISTORY->At(n).TXT.str());
    return texts;
  }
};

struct LevelCase {
  const char* label;
  uint8_t level;
  bool halts;
  Level result;  // when it does not halt
  bool recorded;
};

TEST_F(SilentManager, EachLevelsResultAndRecord) {
  const LevelCase cases[] = {
      {"0 ok: nothing at all", 0, false, LevelOk, false},
      {"1 question: answered with its default, Yes", 1, false, LevelOk, true},
      {"4 cancel: asked like a question", 4, false, LevelOk, true},
      {"5 notify", 5, false, LevelNotify, true},
      {"2 program error: fatal", 2, true, 0, true},
      {"3 fatal", 3, true, 0, true},
      {"6: fatal", 6, true, 0, true},
      {"200: fatal", 200, true, 0, true},
      {"255: fatal", 255, true, 0, true},
  };
  manager.HISTORYTHRESHOLD = -1;
  uint16_t id = 700;
  for (const LevelCase& c : cases) {
    SCOPED_TRACE(c.label);
    manager.ClearHistory();
    Load(++id, c.level, "Title " + std::to_string(c.level), "Level %Message" + std::to_string(c.level));
    if (c.halts) {
      try {
        manager.Raise(id);
        ADD_FAILURE() << "the fatal level returned";
      } catch (const quibra_test::Halted& halted) {
        EXPECT_EQ(halted.level, 0);
        EXPECT_EQ(halted.text, "Title " + std::to_string(c.level));
      }
    } else {
      EXPECT_EQ(manager.Raise(id), c.result);
    }
    const std::string shown =
        "Level " + std::to_string(c.level) + (c.halts ? "  Press OK to end this application" : "");
    EXPECT_EQ(HistoryTexts(), c.recorded ? std::vector<std::string>{shown} : std::vector<std::string>{});
  }
}

TEST_F(SilentManager, ThresholdThreeKeepsTheNewestThreeInOrder) {
  manager.HISTORYTHRESHOLD = 3;
  for (uint16_t id : {6, 12, 20, 22, 38}) manager.Raise(id);
  ASSERT_EQ(manager.HISTORY->Records(), 3);
  EXPECT_EQ(HistoryTexts(), (std::vector<std::string>{"This form cannot be used to insert a record",
                                                      "There are no records available to process.",
                                                      "This form cannot be used to update a record"}));
  EXPECT_EQ(manager.HISTORY->At(1).ID, 20);
  EXPECT_EQ(manager.HISTORY->At(3).ID, 38);
}

struct ThresholdCase {
  const char* label;
  int32_t threshold;
  int messages;
  int32_t kept;
};

TEST_F(SilentManager, ThresholdBounds) {
  const ThresholdCase cases[] = {
      {"0 keeps nothing", 0, 5, 0},     {"1 keeps the last", 1, 5, 1},     {"-1 keeps every one", -1, 250, 250},
      {"-7 keeps every one", -7, 9, 9}, {"larger than needed", 100, 5, 5},
  };
  for (const ThresholdCase& c : cases) {
    SCOPED_TRACE(c.label);
    manager.ClearHistory();
    manager.HISTORYTHRESHOLD = c.threshold;
    for (int i = 0; i < c.messages; ++i) manager.Raise(22);
    EXPECT_EQ(manager.HISTORY->Records(), c.kept);
  }
}

TEST_F(SilentManager, LoweringTheThresholdDropsTheOldestAtTheNextMessage) {
  manager.HISTORYTHRESHOLD = -1;
  for (uint16_t id : {6, 12, 20, 22, 38}) manager.Raise(id);
  manager.HISTORYTHRESHOLD = 2;
  manager.Raise(13);
  ASSERT_EQ(manager.HISTORY->Records(), 2);
  EXPECT_EQ(manager.HISTORY->At(1).ID, 38);
  EXPECT_EQ(manager.HISTORY->At(2).ID, 13);
}

TEST_F(SilentManager, EntriesCarryTheirIdAndCategory) {
  manager.HISTORYTHRESHOLD = -1;
  manager.AssignCategory(22, "Browse");
  manager.Raise(20);
  manager.Raise(22);
  manager.Raise(999);
  ASSERT_EQ(manager.HISTORY->Records(), 3);
  EXPECT_EQ(manager.HISTORY->At(1).CATEGORY, "App");
  EXPECT_EQ(manager.HISTORY->At(2).CATEGORY, "Browse");
  EXPECT_EQ(manager.HISTORY->At(3).CATEGORY, "App");
  EXPECT_EQ(manager.HISTORY->At(3).ID, 999);
  EXPECT_EQ(manager.HISTORY->At(3).TXT.str(), "Error 999 is not defined.");
}

TEST_F(SilentManager, LongTextsAreCutTo1023InTheHistory) {
  manager.HISTORYTHRESHOLD = -1;
  std::string message;
  for (int i = 0; i < 51; ++i) message += "%File";
  Load(800, LevelNotify, "Long", message);
  manager.NoteFile(std::string(254, 'x'));
  manager.Raise(800);
  ASSERT_EQ(manager.HISTORY->Records(), 1);
  EXPECT_EQ(manager.HISTORY->At(1).TXT.str(), std::string(1023, 'x'));
}

TEST_F(SilentManager, ShutdownThenSetupStartsAFreshHistory) {
  manager.HISTORYTHRESHOLD = -1;
  manager.Raise(22);
  manager.Shutdown();
  EXPECT_EQ(manager.HISTORY, nullptr);
  EXPECT_EQ(manager.Raise(22), LevelNotify) << "a report after shutdown is harmless";
  manager.Setup();
  manager.SILENT = 1;
  EXPECT_EQ(manager.HISTORY->Records(), 0);
  EXPECT_EQ(manager.HISTORYTHRESHOLD, 0) << "set-up restores the default";
}

TEST_F(SilentManager, PreparingAgainKeepsTheHistoryAndReloadsTheTable) {
  manager.HISTORYTHRESHOLD = -1;
  manager.Raise(22);
  manager.Raise(9);
  // Another log, as a program that logs elsewhere prepares the manager anew.
  manager.Prepare(manager.ERRORLOG);
  EXPECT_EQ(HistoryTexts(), (std::vector<std::string>{"There are no records available to process.",
                                                      "Are you sure you want to delete the highlighted record?"}));
  EXPECT_EQ(manager.ERRORS->Records(), 43) << "the table is loaded once, not twice";
  manager.Raise(22);
  EXPECT_EQ(manager.HISTORY->Records(), 3);
}

// Records what reaches the history window and the message function: the
// error window is another piece, reached through this virtual operation.
class WindowWatcher : public ErrorManager {
 public:
  int32_t RunHistoryWindow(const std::string& caption, int32_t icon, int32_t buttons, int32_t def) override {
    windows.push_back(caption + "/" + std::to_string(icon) + "/" + std::to_string(buttons) + "/" + std::to_string(def) +
                      "/" + std::to_string(HISTORY->Records()));
    return answer;
  }
  int32_t ShowBox(const std::string& text, const std::string&, const std::string&, int32_t, int32_t, int32_t) override {
    boxes.push_back(text);
    return 1;
  }
  std::vector<std::string> windows, boxes;
  int32_t answer = 4;
};

TEST(HistoryWindow, OnlyTheViewedLevelIsShownAndThroughTheWindow) {
  WindowWatcher manager;
  manager.Setup();
  manager.HISTORYTHRESHOLD = 10;
  manager.HISTORYVIEWLEVEL = LevelQuestion;
  EXPECT_EQ(manager.Raise(22), LevelNotify);  // level 5: recorded, not shown
  EXPECT_EQ(manager.Raise(8), LevelCancel) << "the window's answer, No, is the question's";
  EXPECT_EQ(manager.boxes, std::vector<std::string>{});
  EXPECT_EQ(manager.windows, std::vector<std::string>{"Changes will be lost!/0/6/2/2"})
      << "the icon name reads as 0; the history already holds the message being reported";
  EXPECT_EQ(manager.HISTORY->Records(), 2);
  manager.Shutdown();
}

TEST(HistoryWindow, ResetOnViewEmptiesTheHistoryAfterShowingIt) {
  WindowWatcher manager;
  manager.Setup();
  manager.HISTORYTHRESHOLD = -1;
  manager.HISTORYVIEWLEVEL = LevelNotify;
  manager.HISTORYRESETONVIEW = 1;
  manager.Raise(8);   // a question, not the viewed level: kept
  manager.Raise(22);  // shown with both entries, then emptied
  EXPECT_EQ(manager.windows, std::vector<std::string>{"No Records/0/1/1/2"});
  EXPECT_EQ(manager.HISTORY->Records(), 0);
  manager.ShowHistory();
  EXPECT_EQ(manager.windows.back(), "Errors History/0/129/1/0");
  manager.Shutdown();
}

}  // namespace
