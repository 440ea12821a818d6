#pragma once
// The fixture for tests that use the headless backend's scripted user: each
// test starts with an empty script, no records, no windows and no message
// hook, and a test whose script still has steps when it ends fails, naming
// them (a step for a box that never came, say).
#include <gtest/gtest.h>

#include "backends/headless/Headless.h"

namespace quibra_test {

class HeadlessTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace quibra_test
