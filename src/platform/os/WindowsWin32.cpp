// The Win32 calls on Windows: the system's own, from user32 and kernel32.
// The declarations first: the Windows headers define their constants' names
// as macros.
// clang-format off
#include "platform/Win32Api.h"
#include <windows.h>
// clang-format on

namespace os {
namespace {

int32_t SystemMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  // An owner that is no longer a window would make the call fail: the box
  // is then shown without one.
  ::HWND ownerWindow = static_cast<::HWND>(owner);
  if (ownerWindow && !::IsWindow(ownerWindow)) ownerWindow = nullptr;
  return ::MessageBoxA(ownerWindow, text, caption, flags);
}

BOOL SystemParameters(UINT action, UINT param, LPVOID data, UINT winIni) {
  return ::SystemParametersInfoA(action, param, data, winIni);
}

HANDLE SystemProcessHeap() { return ::GetProcessHeap(); }

LPVOID SystemHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) { return ::HeapAlloc(heap, flags, bytes); }

BOOL SystemHeapFree(HANDLE heap, DWORD flags, LPVOID block) { return ::HeapFree(heap, flags, block); }

}  // namespace

const Win32Calls& SystemCalls() {
  static const Win32Calls calls{&SystemMessageBox, &SystemParameters, &SystemProcessHeap, &SystemHeapAlloc,
                                &SystemHeapFree};
  return calls;
}

int32_t lstrlenA(const char* text) { return ::lstrlenA(text); }

char* lstrcpyA(char* to, const char* from) { return ::lstrcpyA(to, from); }

}  // namespace os
