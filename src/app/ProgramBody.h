#pragma once
// The program's spine: start the runtime and the modules, run the body,
// close down. RunProgram returns the exit code; the entry point ends the
// process with it.
#include <cstdint>

namespace quibra {

void ProgramBody();
void RunStartHooks();
void RunEndHooks();
int32_t RunProgram();

}  // namespace quibra
