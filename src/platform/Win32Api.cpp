#include "platform/Win32Api.h"

namespace os {
namespace {

// Written at start and by tests between cases, read by every call after.
Win32Calls& Installed() {
  static Win32Calls calls = SystemCalls();
  return calls;
}

}  // namespace

Win32Calls InstalledCalls() { return Installed(); }

Win32Calls InstallWin32Calls(const Win32Calls& calls) {
  Win32Calls& installed = Installed();
  const Win32Calls before = installed;
  if (calls.messageBox) installed.messageBox = calls.messageBox;
  if (calls.systemParametersInfo) installed.systemParametersInfo = calls.systemParametersInfo;
  if (calls.getProcessHeap) installed.getProcessHeap = calls.getProcessHeap;
  if (calls.heapAlloc) installed.heapAlloc = calls.heapAlloc;
  if (calls.heapFree) installed.heapFree = calls.heapFree;
  if (calls.countdownMessageBox) installed.countdownMessageBox = calls.countdownMessageBox;
  return before;
}

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags) {
  return Installed().messageBox(owner, text, caption, flags);
}

int32_t CountdownMessageBoxA(HWND owner, const char* text, const char* caption, UINT flags, UINT seconds) {
  if (const auto countdown = Installed().countdownMessageBox) return countdown(owner, text, caption, flags, seconds);
  return Installed().messageBox(owner, text, caption, flags);
}

BOOL SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni) {
  return Installed().systemParametersInfo(action, param, data, winIni);
}

HANDLE GetProcessHeap() { return Installed().getProcessHeap(); }

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) { return Installed().heapAlloc(heap, flags, bytes); }

BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block) { return Installed().heapFree(heap, flags, block); }

}  // namespace os
