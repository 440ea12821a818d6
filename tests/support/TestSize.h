#pragma once
// The size of a test that has a small everyday run and a full-size one: the
// number in the environment variable `name`, else `everyday`. `make stress`
// sets the variables to run the full sizes.
#include <cstdlib>
#include <string>

namespace quibra_test {

inline int TestSize(const char* name, int everyday) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == 0) return everyday;
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  // A size that is no whole positive number is a mistake in the run's
  // settings; the everyday size is used rather than none.
  if (*end != 0 || n < 1 || n > 1000000) return everyday;
  return static_cast<int>(n);
}

}  // namespace quibra_test
