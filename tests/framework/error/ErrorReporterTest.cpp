// The window layer holds the error manager as an ErrorReporter: what it asks
// that way must reach the very manager it holds, and a window that holds none
// must reach the program's own.
#include <gtest/gtest.h>

#include <vector>

#include "ManagerTest.h"
#include "backends/headless/Headless.h"
#include "framework/error/GlobalErrorManager.h"
#include "framework/window/ErrorReporter.h"
#include "runtime/MessageBox.h"

namespace {

using namespace quibra;
using headless::User;

using Reporting = error_test::ManagerTest;

TEST_F(Reporting, RaiseAndAskUserReachTheManagerHeld) {
  Load(901, LevelQuestion, "Only here", "Known to this manager alone");
  ErrorReporter& reporter = manager;
  User().AnswerBox(rt::ButtonNo).AnswerBox(rt::ButtonCancel);
  EXPECT_EQ(reporter.Raise(901), LevelCancel);
  EXPECT_EQ(reporter.AskUser(901, 70, 64), rt::ButtonCancel);
  const std::vector<headless::BoxRecord> boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const headless::BoxRecord& box : boxes) EXPECT_EQ(box.caption, "Only here");
  EXPECT_EQ(boxes[1].buttons, 70);
  EXPECT_EQ(boxes[1].defaultValue, 64);
}

TEST_F(Reporting, WindowsThatHoldNoManagerReachTheProgramsOwn) {
  EXPECT_EQ(ErrorReporter::Program, &GlobalErrorManager);
}

}  // namespace
