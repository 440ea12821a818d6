#pragma once
// The Qt tests' view of the platform's Win32 calls: a recorder stands in
// front of the calls the program has (the platform's heap and drag setting,
// the Qt backend's message box) and notes the system-parameter calls and the
// heap blocks still held.
#include <cstdint>
#include <vector>

namespace qt_test {

struct SystemParameterCall {
  uint32_t action = 0;
  uint32_t param = 0;
  uint32_t winIni = 0;
  int32_t result = 0;
  bool operator==(const SystemParameterCall&) const = default;
};

// Once, after the backend is installed.
void InstallPlatformRecorder();
std::vector<SystemParameterCall> SystemParameterCalls();
bool DragFullWindows();
// Forgets the calls and puts the setting back to on, as a desktop starts.
void ResetSystemParameters();
// Blocks taken from the process heap and not yet freed.
int LiveHeapBlocks();

}  // namespace qt_test
