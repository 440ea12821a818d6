#pragma once
// Translates a window's texts when it is first activated. No window of this
// program sets one; the controller calls it once per window, before the first
// refresh.
#include <cstdint>

namespace quibra {

class TextTranslator {
 public:
  // window 0 is the current window.
  virtual void ApplyToWindow(int32_t window) = 0;

 protected:
  ~TextTranslator() = default;
};

}  // namespace quibra
