#pragma once
// The runtime's key codes for Qt's keys. The runtime names Tab, Enter and
// Escape (runtime/Events.h); the other keys take the numbers Windows gives
// its virtual keys (letters and digits their upper-case ASCII codes, F1 112),
// so that a key armed by number means the same key on every backend.
#include <cstdint>

namespace qtbackend {

// 0 for a key with no runtime code (a modifier on its own, say).
int32_t KeyCodeOf(int qtKey);

}  // namespace qtbackend
