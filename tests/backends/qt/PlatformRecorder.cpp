#include "PlatformRecorder.h"

#include <mutex>
#include <set>

#include "platform/Win32Api.h"

namespace qt_test {
namespace {

struct Recorder {
  std::mutex lock;
  os::Win32Calls behind;  // the calls in force before the recorder
  std::vector<SystemParameterCall> calls;
  std::set<void*> blocks;
};

Recorder& Recorded() {
  static Recorder recorder;
  return recorder;
}

os::BOOL RecordedSystemParameters(os::UINT action, os::UINT param, os::LPVOID data, os::UINT winIni) {
  const os::BOOL result = Recorded().behind.systemParametersInfo(action, param, data, winIni);
  std::lock_guard<std::mutex> hold(Recorded().lock);
  Recorded().calls.push_back({action, param, winIni, result});
  return result;
}

os::LPVOID RecordedHeapAlloc(os::HANDLE heap, os::DWORD flags, os::SIZE_T bytes) {
  os::LPVOID block = Recorded().behind.heapAlloc(heap, flags, bytes);
  std::lock_guard<std::mutex> hold(Recorded().lock);
  if (block) Recorded().blocks.insert(block);
  return block;
}

os::BOOL RecordedHeapFree(os::HANDLE heap, os::DWORD flags, os::LPVOID block) {
  const os::BOOL result = Recorded().behind.heapFree(heap, flags, block);
  std::lock_guard<std::mutex> hold(Recorded().lock);
  if (result) Recorded().blocks.erase(block);
  return result;
}

}  // namespace

void InstallPlatformRecorder() {
  Recorded().behind = os::InstallWin32Calls({.systemParametersInfo = &RecordedSystemParameters,
                                             .heapAlloc = &RecordedHeapAlloc,
                                             .heapFree = &RecordedHeapFree});
}

std::vector<SystemParameterCall> SystemParameterCalls() {
  std::lock_guard<std::mutex> hold(Recorded().lock);
  return Recorded().calls;
}

bool DragFullWindows() {
  os::BOOL on = 0;
  Recorded().behind.systemParametersInfo(os::SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
  return on != 0;
}

void ResetSystemParameters() {
  Recorded().behind.systemParametersInfo(os::SPI_SETDRAGFULLWINDOWS, 1, nullptr, 0);
  std::lock_guard<std::mutex> hold(Recorded().lock);
  Recorded().calls.clear();
}

int LiveHeapBlocks() {
  std::lock_guard<std::mutex> hold(Recorded().lock);
  return static_cast<int>(Recorded().blocks.size());
}

}  // namespace qt_test
