#pragma once
// The program's global objects and the desktop state it keeps for its run.
#include <cstdint>

#include "framework/settings/IniStore.h"
#include "framework/settings/WordMatcher.h"

namespace quibra {

extern WordMatcher GlobalWordMatcher;
extern IniStore GlobalIniStore;

// The full-window-drag setting as read at start.
extern int32_t SavedDragFullWindows;
// Passed by address with each write of the drag setting; nothing reads it.
extern int32_t SpareParameter;

}  // namespace quibra
