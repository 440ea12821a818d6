#pragma once
// The module set-up procedures the runtime runs around the program's life,
// and the start-up descriptor that names them.
#include <cstdint>

#include "runtime/Program.h"

namespace quibra {

void MainModuleSetup(int32_t end);
void SharedWindowsModuleSetup(int32_t end);
extern const rt::ModuleEntry ModuleTable[4];
extern const rt::StartupDescriptor StartupDescriptor;

// For tests:
// Whether the two shared windows are prepared: from their module's start to its end.
bool SharedWindowsPrepared();

}  // namespace quibra
