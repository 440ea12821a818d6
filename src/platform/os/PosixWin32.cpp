// The Win32 calls where there is no Windows: the process heap is the C heap,
// with its blocks tracked so that freeing a block twice, or one it never
// gave, fails instead of corrupting memory; the full-window-drag setting is
// kept in memory with the Windows meaning (on until switched off) and
// changes nothing on the desktop; there is no message box until a backend
// installs one (the call fails, as MessageBoxA fails without a desktop).
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/ThisOs.h"
#include "platform/Win32Api.h"

namespace os {
namespace {

struct Emulation {
  std::mutex lock;
  bool dragFullWindows = true;
  std::set<void*> heapBlocks;
};

Emulation& Emulated() {
  static Emulation emulation;
  return emulation;
}

char heapToken;  // its address is the process heap's handle

int32_t NoMessageBox(HWND, const char*, const char*, UINT) { return 0; }

BOOL EmulatedSystemParametersInfo(UINT action, UINT param, LPVOID data, UINT) {
  Emulation& e = Emulated();
  std::lock_guard<std::mutex> hold(e.lock);
  if (action == SPI_GETDRAGFULLWINDOWS && data) {
    *static_cast<BOOL*>(data) = e.dragFullWindows ? 1 : 0;
    return 1;
  }
  if (action == SPI_SETDRAGFULLWINDOWS) {
    e.dragFullWindows = param != 0;
    return 1;
  }
  return 0;
}

HANDLE EmulatedProcessHeap() { return &heapToken; }

LPVOID EmulatedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (heap != &heapToken) return nullptr;
  void* block = std::malloc(bytes ? bytes : 1);
  if (!block) return nullptr;
  if (flags & 0x8) std::memset(block, 0, bytes);  // HEAP_ZERO_MEMORY
  Emulation& e = Emulated();
  std::lock_guard<std::mutex> hold(e.lock);
  e.heapBlocks.insert(block);
  return block;
}

BOOL EmulatedHeapFree(HANDLE heap, DWORD, LPVOID block) {
  Emulation& e = Emulated();
  std::lock_guard<std::mutex> hold(e.lock);
  if (heap != &heapToken || !block || !e.heapBlocks.erase(block)) return 0;
  std::free(block);
  return 1;
}

}  // namespace

const Win32Calls& SystemCalls() {
  static const Win32Calls calls{&NoMessageBox, &EmulatedSystemParametersInfo, &EmulatedProcessHeap, &EmulatedHeapAlloc,
                                &EmulatedHeapFree};
  return calls;
}

bool TextIsUtf8() { return true; }

int32_t lstrlenA(const char* text) { return text ? static_cast<int32_t>(std::strlen(text)) : 0; }

char* lstrcpyA(char* to, const char* from) {
  if (!to || !from) return nullptr;
  return std::strcpy(to, from);
}

}  // namespace os
