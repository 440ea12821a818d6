// Raising errors by id: what the user is shown for each level, what the
// answers give, the fatal path, questions with the caller's buttons, ids that
// are not defined, and SILENT.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ManagerTest.h"
#include "backends/headless/Headless.h"
#include "framework/error/ErrorManager.h"
#include "runtime/MessageBox.h"
#include "support/HaltIntercept.h"

namespace {

using namespace quibra;
using headless::User;

class Dispatching : public error_test::ManagerTest {
 protected:
  // The one box shown since the test began.
  headless::BoxRecord OnlyBox() {
    std::vector<headless::BoxRecord> boxes = headless::Boxes();
    EXPECT_EQ(boxes.size(), 1u);
    if (boxes.empty()) return {};
    EXPECT_EQ(boxes.back().style, 0) << "the error manager's messages are not system-modal";
    return boxes.back();
  }
};

struct QuestionCase {
  const char* label;
  uint16_t id;
  int32_t answer;  // a ButtonSet value
  Level result;
  const char* title;
  const char* text;
};

TEST_F(Dispatching, QuestionsAreYesNoWithYesAsDefault) {
  const QuestionCase cases[] = {
      {"8 answered Yes", 8, rt::ButtonYes, LevelOk, "Changes will be lost!", "Are you sure you want to cancel?"},
      {"8 answered No", 8, rt::ButtonNo, LevelCancel, "Changes will be lost!", "Are you sure you want to cancel?"},
      {"3 answered Yes", 3, rt::ButtonYes, LevelOk, "Record Added",
       "This record has been added to the file. Do you want to add another record?"},
      {"3 answered No", 3, rt::ButtonNo, LevelCancel, "Record Added",
       "This record has been added to the file. Do you want to add another record?"},
  };
  for (const QuestionCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    User().AnswerBox(c.answer);
    EXPECT_EQ(manager.Raise(c.id), c.result);
    const headless::BoxRecord box = OnlyBox();
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, c.title);
    EXPECT_EQ(box.icon, rt::IconQuestion);
    EXPECT_EQ(box.buttons, rt::ButtonYes + rt::ButtonNo);
    // The default goes to the message function as YES's value, 2, which every
    // message box reads as "the second button": No, the safe answer, is the default.
    EXPECT_EQ(box.defaultButton, rt::ButtonYes);
    EXPECT_EQ(box.defaultValue, rt::ButtonNo);
  }
}

TEST_F(Dispatching, NoticesShowOkAndGiveNotifyWhateverTheUserDoes) {
  for (bool closeIt : {false, true}) {
    SCOPED_TRACE(closeIt ? "closed by its close box" : "answered OK");
    headless::Reset();
    manager.NoteFile("ORDERS");
    if (closeIt)
      User().CloseBox();
    else
      User().AnswerBox(rt::ButtonOk);
    EXPECT_EQ(manager.Raise(2), LevelNotify);
    const headless::BoxRecord box = OnlyBox();
    EXPECT_EQ(box.text, "Could not get write access to ORDERS so trying read-only.");
    EXPECT_EQ(box.caption, "Access Denied");
    EXPECT_EQ(box.icon, rt::IconExclamation);
    EXPECT_EQ(box.buttons, rt::ButtonOk);
    EXPECT_EQ(box.defaultValue, rt::ButtonOk);
  }
}

TEST_F(Dispatching, LevelOkShowsNothing) {
  Load(901, LevelOk, "Quiet", "Never shown");
  EXPECT_EQ(manager.Raise(901), LevelOk);
  EXPECT_TRUE(headless::Boxes().empty());
}

struct FatalCase {
  const char* label;
  uint16_t id;
  uint8_t level;  // 0: the default table's entry
  const char* title;
  const char* text;
};

TEST_F(Dispatching, FatalLevelsShowTheEndNoticeThenHalt) {
  const FatalCase cases[] = {
      {"39, program error", 39, 0, "File Usage Error",
       "Attempt to use file (CUSTOMER) before it was opened  Press OK to end this application"},
      {"23, fatal", 23, 0, "File Access Error",
       "File CUSTOMER could not be opened.  Error: Access Denied (5).  Press OK to end this application"},
      {"level 6", 906, 6, "Six", "six  Press OK to end this application"},
      {"level 255", 955, 255, "Top", "top  Press OK to end this application"},
  };
  for (const FatalCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    if (c.level != 0) Load(c.id, c.level, c.title, std::string(c.text, std::string(c.text).find("  Press")));
    manager.NoteFile("CUSTOMER");
    rt::SetError(rt::ErrAccessDenied);
    User().AnswerBox(rt::ButtonOk);
    bool halted = false;
    try {
      manager.Raise(c.id);
    } catch (const quibra_test::Halted& h) {
      halted = true;
      EXPECT_EQ(h.level, 0);
      EXPECT_EQ(h.text, c.title);
    }
    EXPECT_TRUE(halted) << "a fatal message must end the program";
    const headless::BoxRecord box = OnlyBox();
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, c.title);
    EXPECT_EQ(box.icon, rt::IconExclamation);
    EXPECT_EQ(box.buttons, rt::ButtonOk);
  }
}

struct AskCase {
  const char* label;
  int32_t answer;
};

TEST_F(Dispatching, AskUserUsesTheCallersButtonsAndReturnsThePressedOne) {
  const AskCase cases[] = {{"Yes", rt::ButtonYes}, {"No", rt::ButtonNo}, {"Cancel", rt::ButtonCancel}};
  for (const AskCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    User().AnswerBox(c.answer);
    EXPECT_EQ(manager.AskUser(35, 70, 64), c.answer);
    const headless::BoxRecord box = OnlyBox();
    EXPECT_EQ(box.text, "Do you want to save the changes to this record?");
    EXPECT_EQ(box.caption, "Save Record");
    EXPECT_EQ(box.icon, rt::IconQuestion);
    EXPECT_EQ(box.buttons, 70);
    EXPECT_EQ(box.defaultValue, 64);
  }
}

TEST_F(Dispatching, AskUserIgnoresTheLevelAndKeepsNoRecord) {
  manager.HISTORYTHRESHOLD = -1;
  manager.HISTORYVIEWLEVEL = LevelQuestion;  // a kept history would take the message away from the box
  User().AnswerBox(rt::ButtonYes);
  EXPECT_EQ(manager.AskUser(22, 6, 4), rt::ButtonYes) << "22 is a notice, asked all the same";
  EXPECT_EQ(OnlyBox().buttons, 6);
  EXPECT_EQ(manager.HISTORY->Records(), 0);
}

TEST_F(Dispatching, AnIdThatIsNotDefinedIsNamedNeverAStaleEntry) {
  User().AnswerBox(rt::ButtonYes).AnswerBox(rt::ButtonOk);
  EXPECT_EQ(manager.Raise(8), LevelOk);  // makes 8 the current entry
  EXPECT_EQ(manager.Raise(999), LevelNotify);
  std::vector<headless::BoxRecord> boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "Error 999 is not defined.");
  EXPECT_EQ(boxes[1].caption, "Unknown Error");
  EXPECT_EQ(boxes[1].icon, rt::IconExclamation);
  EXPECT_EQ(boxes[1].buttons, rt::ButtonOk);
}

TEST_F(Dispatching, AskingAboutAnIdThatIsNotDefinedTellsSoAndGivesTheDefault) {
  User().AnswerBox(rt::ButtonOk);
  EXPECT_EQ(manager.AskUser(998, 70, 64), 64);
  const headless::BoxRecord box = OnlyBox();
  EXPECT_EQ(box.text, "Error 998 is not defined.");
  EXPECT_EQ(box.buttons, rt::ButtonOk) << "nothing is asked: there is no question to ask";
}

TEST_F(Dispatching, ReportsAfterShutdownAreNamedAsNotDefined) {
  manager.Shutdown();
  User().AnswerBox(rt::ButtonOk);
  EXPECT_EQ(manager.Raise(8), LevelNotify);
  EXPECT_EQ(OnlyBox().text, "Error 8 is not defined.");
  manager.Setup();
}

TEST_F(Dispatching, SilentShowsNothingAndAnswersWithTheDefault) {
  manager.SILENT = 1;
  manager.HISTORYTHRESHOLD = -1;
  EXPECT_EQ(manager.Raise(8), LevelOk) << "a question's default is Yes";
  EXPECT_EQ(manager.Raise(22), LevelNotify);
  EXPECT_EQ(manager.AskUser(35, 70, 64), 64);
  EXPECT_THROW(manager.Raise(39), quibra_test::Halted) << "SILENT does not stop a halt";
  EXPECT_TRUE(headless::Boxes().empty());
  EXPECT_EQ(manager.HISTORY->Records(), 3) << "what passed the message path is still kept";
}

TEST_F(Dispatching, DispatchUsesTheErrorStateCapturedEarlier) {
  rt::SetError(rt::ErrAccessDenied);
  manager.CaptureErrorState();
  rt::ClearError();
  manager.NoteFile("ORDERS");
  User().AnswerBox(rt::ButtonOk);
  manager.Dispatch(19);
  EXPECT_EQ(OnlyBox().text, "ORDERS File Load Error.  Error: Access Denied (5).");
}

}  // namespace
