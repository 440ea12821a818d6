// The Win32 calls the program makes (platform/Win32Api.h), forwarded to the
// real user32 and kernel32.
// The declarations first: the Windows headers define their constants' names
// as macros.
// clang-format off
#include "platform/Win32Api.h"
#include "backends/win32/Win32Headers.h"
// clang-format on

namespace os {

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags) {
  // An owner that is no longer a window would make the call fail: the box
  // is then shown without one.
  ::HWND ownerWindow = static_cast<::HWND>(owner);
  if (ownerWindow && !::IsWindow(ownerWindow)) ownerWindow = nullptr;
  return ::MessageBoxA(ownerWindow, text, caption, flags);
}

BOOL SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni) {
  return ::SystemParametersInfoA(action, param, data, winIni);
}

HANDLE GetProcessHeap() { return ::GetProcessHeap(); }

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) { return ::HeapAlloc(heap, flags, bytes); }

BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block) { return ::HeapFree(heap, flags, block); }

int32_t lstrlenA(const char* text) { return ::lstrlenA(text); }

char* lstrcpyA(char* to, const char* from) { return ::lstrcpyA(to, from); }

}  // namespace os
