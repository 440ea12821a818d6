#pragma once
// What the Linux program keeps of the Win32 calls it makes (platform/
// Win32Api.h). SystemParametersInfoA changes nothing on the desktop: it keeps
// the full-window-drag setting in memory, with the Windows meaning (on until
// switched off), and records each call. The process heap is the C heap, with
// its blocks tracked so that freeing a block twice fails instead of
// corrupting memory.
#include <cstdint>
#include <vector>

namespace qtbackend {

struct SystemParameterCall {
  uint32_t action = 0;
  uint32_t param = 0;
  uint32_t winIni = 0;
  int32_t result = 0;
  bool operator==(const SystemParameterCall&) const = default;
};

std::vector<SystemParameterCall> SystemParameterCalls();
bool DragFullWindows();
// Forgets the calls and puts the setting back to on: for tests.
void ResetSystemParameters();
// Blocks taken from the process heap and not yet freed.
int LiveHeapBlocks();

}  // namespace qtbackend
