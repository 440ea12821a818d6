#pragma once
// Makes the linked backend the runtime's backend. Each backend library
// defines it; a program links exactly one of them.
#include <cstdint>
#include <string>

namespace backend {

struct StartOptions {
  // The X display to show windows on (a desktop backend's; empty: the
  // environment's).
  std::string display;
  // What the process ends with when no window can be shown at all (no
  // display): it says why in one line on standard error first.
  int32_t failureStatus = 1;
};

void Install(const StartOptions& options = {});

}  // namespace backend
