#pragma once
// Makes a backend the runtime's backend. The headless and the Windows
// backend libraries define it, each for the program that links it alone; the
// Linux program links backends/linux, which chooses between the desktop and
// the terminal. Each backend also has its own install function.
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
  // Draw in the terminal even where a display could be opened.
  bool terminal = false;
};

void Install(const StartOptions& options = {});

}  // namespace backend
