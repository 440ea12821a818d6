#pragma once
// What the error manager asks of a log: a use is begun, lines are written,
// the use is ended. Each operation returns 0 when done and 5 when it failed.
#include <cstdint>
#include <string_view>

#include "framework/window/Level.h"

namespace quibra {

class LogSink {
 public:
  virtual ~LogSink() = default;
  // With `force` set the use ends whatever the count of uses.
  virtual Level EndUse(bool force) = 0;
  // With `force` set the log is opened again even when it is in use.
  virtual Level BeginUse(bool force) = 0;
  virtual Level WriteLine(std::string_view text) = 0;
};

}  // namespace quibra
