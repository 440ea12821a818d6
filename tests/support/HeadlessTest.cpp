#include "support/HeadlessTest.h"

#include <string>
#include <vector>

namespace quibra_test {

void HeadlessTest::SetUp() { headless::Reset(); }

void HeadlessTest::TearDown() {
  std::vector<std::string> left = headless::User().Remaining();
  if (!left.empty()) {
    std::string steps;
    for (const std::string& s : left) steps += "\n  " + s;
    ADD_FAILURE() << "the test ended with " << left.size() << " script step(s) not taken:" << steps;
  }
  headless::Reset();
}

}  // namespace quibra_test
