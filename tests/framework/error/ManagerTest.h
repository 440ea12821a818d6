#pragma once
// The fixture of the error tests: a set-up error manager, shut down when the
// test ends, tables of one entry loaded into it, and a scripted user whose
// script must be used up.
#include <cstdint>
#include <string>
#include <vector>

#include "TableBytes.h"
#include "framework/error/ErrorManager.h"
#include "support/HeadlessTest.h"

namespace error_test {

class ManagerTest : public quibra_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    manager.Setup();
  }
  void TearDown() override {
    manager.Shutdown();
    HeadlessTest::TearDown();
  }

  // Loads a table of this one entry, which must load whole.
  void Load(uint16_t id, uint8_t level, const std::string& title, const std::string& message) {
    const std::vector<uint8_t>& bytes = tables.One(id, level, title, message);
    ASSERT_EQ(manager.LoadTable(bytes.data(), bytes.size()), 1);
  }

  TableBytes tables;
  quibra::ErrorManager manager;
};

}  // namespace error_test
