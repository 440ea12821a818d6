#pragma once
// Names each case of a parameterised suite after its label, so that a failing
// case reads as what it checks. A test name holds only letters, digits and
// '_', so every other character of the label becomes '_'.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace quibra_test {

struct ByLabel {
  template <class Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    std::string name = info.param.label;
    for (char& ch : name)
      if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
  }
};

}  // namespace quibra_test
