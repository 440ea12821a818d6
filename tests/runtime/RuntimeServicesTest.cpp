// The bind stack, the beep and the cursor.
#include <gtest/gtest.h>

#include "runtime/EventLoop.h"
#include "support/HeadlessTest.h"

namespace {

class RuntimeServices : public quibra_test::HeadlessTest {};

TEST_F(RuntimeServices, BindLevelsNestAndAnEmptyStackPopsHarmlessly) {
  rt::PushBind(1);
  rt::PushBind(1);
  EXPECT_EQ(rt::BindDepth(), 2);
  rt::PopBind();
  rt::PopBind();
  rt::PopBind();
  EXPECT_EQ(rt::BindDepth(), 0);
  rt::PushBind(1);
  EXPECT_EQ(rt::BindDepth(), 1);
}

TEST_F(RuntimeServices, BeepsAndCursorsReachTheBackend) {
  rt::Beep(150, 16);
  rt::SetCursor(std::string("\xFF\x01\x03\x7F", 4));
  rt::SetCursor();
  EXPECT_EQ(headless::Beeps(), (std::vector<headless::BeepRecord>{{150, 16}}));
  EXPECT_EQ(headless::Cursors(), (std::vector<std::string>{std::string("\xFF\x01\x03\x7F", 4), ""}));
}

}  // namespace
