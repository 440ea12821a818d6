// The Win32 calls on Windows: the system's own, from user32 and kernel32.
// The declarations first: the Windows headers define their constants' names
// as macros.
// clang-format off
#include "platform/Win32Api.h"
#include "platform/ThisOs.h"
#include <windows.h>
#include "platform/os/WindowsBoxLaidOut.h"
// clang-format on
#include <algorithm>
#include <string>

// The fitting works on the system's own types, outside namespace os, whose
// HWND and BOOL stand in for them on every OS.
namespace {

constexpr int kTextId = 0xFFFF;  // the message box's text, as the system numbers it

// How the parts of a box move when its text is made shorter.
struct Shortening {
  int by;       // the buttons move up this far
  int textTop;  // an icon below the text's top moves up to it
};

BOOL CALLBACK MoveUp(HWND child, LPARAM shortening) {
  const Shortening& s = *reinterpret_cast<const Shortening*>(shortening);
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  const bool button = lstrcmpiA(name, "Button") == 0;
  const bool icon = lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
  if (!button && !icon) return TRUE;
  RECT at{};
  GetWindowRect(child, &at);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&at), 2);
  const int top = button ? at.top - s.by : std::min<int>(at.top, s.textTop);
  SetWindowPos(child, nullptr, at.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

// A box taller than the screen's work area is made to fit it: its text goes
// into a read-only edit of the height that is left, which scrolls with the
// keyboard and the wheel; its buttons move up with it, and its icon stands
// at the top of the text, as it does in a short box.
void FitToWorkArea(HWND box) {
  RECT frame{}, area{};
  if (!GetWindowRect(box, &frame) || !::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return;
  const int excess = (frame.bottom - frame.top) - (area.bottom - area.top);
  HWND text = GetDlgItem(box, kTextId);
  if (excess <= 0 || !text) return;
  RECT at{};
  GetWindowRect(text, &at);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&at), 2);
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  const int height = (at.bottom - at.top) - excess;
  if (height <= 0) return;
  std::string content(static_cast<std::size_t>(GetWindowTextLengthA(text)) + 1, '\0');
  content.resize(static_cast<std::size_t>(GetWindowTextA(text, content.data(), static_cast<int>(content.size()))));
  HWND scroller = CreateWindowExA(
      0, "EDIT", content.c_str(), WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY, at.left,
      at.top, (at.right - at.left) + scrollBar, height, box, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!scroller) return;
  SendMessageA(scroller, WM_SETFONT, SendMessageA(text, WM_GETFONT, 0, 0), FALSE);
  ShowWindow(text, SW_HIDE);
  Shortening shortening{excess, at.top};
  EnumChildWindows(box, &MoveUp, reinterpret_cast<LPARAM>(&shortening));
  const int width = (frame.right - frame.left) + scrollBar;
  SetWindowPos(box, nullptr, area.left + ((area.right - area.left) - width) / 2, area.top, width,
               area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

namespace os {
namespace {

int32_t SystemMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  // An owner that is no longer a window would make the call fail: the box
  // is then shown without one.
  ::HWND ownerWindow = static_cast<::HWND>(owner);
  if (ownerWindow && !::IsWindow(ownerWindow)) ownerWindow = nullptr;
  // The box is looked at once, when the system has laid it out.
  windows::WhenBoxLaidOut fit([](::HWND box, void*) { FitToWorkArea(box); }, nullptr);
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

bool TextIsUtf8() {
  static const bool utf8 = ::GetACP() == CP_UTF8;
  return utf8;
}

int32_t lstrlenA(const char* text) { return ::lstrlenA(text); }

char* lstrcpyA(char* to, const char* from) { return ::lstrcpyA(to, from); }

}  // namespace os
