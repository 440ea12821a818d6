#pragma once
// What a window asks of the error manager: report an error by id and go by
// the level it answers, or ask with the window's own buttons and take the
// button pressed. The error manager builds on this layer (its message window
// is a WindowController), so windows reach it through this base, which the
// manager derives from, instead of naming it.
//
// The base forwards through two function pointers that the manager hands it
// rather than through virtual operations: a base with virtual operations
// would put its slots ahead of the manager's own and change their order.
#include <cstdint>

#include "framework/window/Level.h"

namespace quibra {

class ErrorReporter {
 public:
  Level Raise(uint16_t id) { return raise_(*this, id); }
  int32_t AskUser(uint16_t id, int32_t buttons, int32_t defaultButton) {
    return askUser_(*this, id, buttons, defaultButton);
  }

  // The program's own error manager, asked by the windows that name none
  // (ERRORS null). The error layer sets it when it makes that manager.
  static inline ErrorReporter* Program = nullptr;

 protected:
  using RaiseFn = Level (*)(ErrorReporter& self, uint16_t id);
  using AskUserFn = int32_t (*)(ErrorReporter& self, uint16_t id, int32_t buttons, int32_t defaultButton);

  ErrorReporter(RaiseFn raise, AskUserFn askUser) : raise_(raise), askUser_(askUser) {}
  ~ErrorReporter() = default;
  ErrorReporter(const ErrorReporter&) = delete;
  ErrorReporter& operator=(const ErrorReporter&) = delete;

 private:
  RaiseFn raise_;
  AskUserFn askUser_;
};

}  // namespace quibra
