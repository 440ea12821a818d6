#pragma once
#include <cstdint>
#include <string>

namespace quibra_test {

// Thrown in place of ending the program when the code under test halts.
struct Halted {
  int32_t level;
  std::string text;
};

[[noreturn]] void ThrowHalt(int32_t level, const std::string& text);

}  // namespace quibra_test
