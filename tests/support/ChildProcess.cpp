// The parts of a child process that are the same on every OS.
#include "support/ChildProcess.h"

namespace quibra_test {

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : handle_(other.handle_), reaped_(other.reaped_), killed_(other.killed_), exitCode_(other.exitCode_) {
  other.handle_ = kNone;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Finish();
    handle_ = other.handle_;
    reaped_ = other.reaped_;
    killed_ = other.killed_;
    exitCode_ = other.exitCode_;
    other.handle_ = kNone;
  }
  return *this;
}

}  // namespace quibra_test
