// The Win32 calls of platform/Win32Api.h for the Linux program, except
// MessageBoxA (NativeMessageBox.cpp).
#include "backends/qt/QtPlatform.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/Win32Api.h"

namespace qtbackend {
namespace {

struct PlatformState {
  std::mutex lock;
  bool dragFullWindows = true;
  std::vector<SystemParameterCall> calls;
  std::set<void*> heapBlocks;
};

PlatformState& State() {
  static PlatformState state;
  return state;
}

char heapToken;  // its address is the process heap's handle

}  // namespace

std::vector<SystemParameterCall> SystemParameterCalls() {
  std::lock_guard<std::mutex> hold(State().lock);
  return State().calls;
}

bool DragFullWindows() {
  std::lock_guard<std::mutex> hold(State().lock);
  return State().dragFullWindows;
}

void ResetSystemParameters() {
  std::lock_guard<std::mutex> hold(State().lock);
  State().calls.clear();
  State().dragFullWindows = true;
}

int LiveHeapBlocks() {
  std::lock_guard<std::mutex> hold(State().lock);
  return static_cast<int>(State().heapBlocks.size());
}

}  // namespace qtbackend

namespace os {

BOOL SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni) {
  qtbackend::PlatformState& s = qtbackend::State();
  std::lock_guard<std::mutex> hold(s.lock);
  BOOL result = 0;
  if (action == SPI_GETDRAGFULLWINDOWS && data) {
    *static_cast<BOOL*>(data) = s.dragFullWindows ? 1 : 0;
    result = 1;
  } else if (action == SPI_SETDRAGFULLWINDOWS) {
    s.dragFullWindows = param != 0;
    result = 1;
  }
  s.calls.push_back({action, param, winIni, result});
  return result;
}

HANDLE GetProcessHeap() { return &qtbackend::heapToken; }

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (heap != &qtbackend::heapToken) return nullptr;
  void* block = std::malloc(bytes ? bytes : 1);
  if (!block) return nullptr;
  if (flags & 0x8) std::memset(block, 0, bytes);  // HEAP_ZERO_MEMORY
  qtbackend::PlatformState& s = qtbackend::State();
  std::lock_guard<std::mutex> hold(s.lock);
  s.heapBlocks.insert(block);
  return block;
}

BOOL HeapFree(HANDLE heap, DWORD, LPVOID block) {
  if (heap != &qtbackend::heapToken || !block) return 0;
  qtbackend::PlatformState& s = qtbackend::State();
  std::lock_guard<std::mutex> hold(s.lock);
  if (!s.heapBlocks.erase(block)) return 0;
  std::free(block);
  return 1;
}

int32_t lstrlenA(const char* text) { return text ? static_cast<int32_t>(std::strlen(text)) : 0; }

char* lstrcpyA(char* to, const char* from) {
  if (!to || !from) return nullptr;
  return std::strcpy(to, from);
}

}  // namespace os
