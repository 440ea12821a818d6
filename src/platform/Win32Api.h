#pragma once
// The Win32 calls the program makes, declared the same on every OS. Behind
// them stand the system's own (user32 and kernel32 on Windows; elsewhere a
// process heap over the C heap, a full-window-drag setting kept in memory,
// and no message box of its own) until a backend installs its own at start:
// the Qt backend its message box, the headless backend a recorder that
// answers boxes from the test's script, on Linux and on Windows alike.
#include <cstdint>

namespace os {

using HWND = void*;
using HANDLE = void*;
using LPVOID = void*;
using BOOL = int32_t;
using UINT = uint32_t;
using DWORD = uint32_t;
using SIZE_T = uintptr_t;

// Message box flags and results (the Win32 values).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x0;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_SYSTEMMODAL = 0x1000;

constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;
constexpr int32_t IDABORT = 3;
constexpr int32_t IDRETRY = 4;
constexpr int32_t IDIGNORE = 5;
constexpr int32_t IDYES = 6;
constexpr int32_t IDNO = 7;
// What a box with a time-out answers when its time ran out.
constexpr int32_t MB_TIMEDOUT = 32000;

// The full-window-drag setting.
constexpr UINT SPI_SETDRAGFULLWINDOWS = 37;
constexpr UINT SPI_GETDRAGFULLWINDOWS = 38;
constexpr UINT SPIF_UPDATEINIFILE = 0x1;
constexpr UINT SPIF_SENDWININICHANGE = 0x2;

// The calls a backend can stand behind; a null entry leaves that call as it is.
struct Win32Calls {
  int32_t (*messageBox)(HWND owner, const char* text, const char* caption, UINT flags) = nullptr;
  BOOL (*systemParametersInfo)(UINT action, UINT param, LPVOID data, UINT winIni) = nullptr;
  HANDLE (*getProcessHeap)() = nullptr;
  LPVOID (*heapAlloc)(HANDLE heap, DWORD flags, SIZE_T bytes) = nullptr;
  BOOL (*heapFree)(HANDLE heap, DWORD flags, LPVOID block) = nullptr;
  // A message box that counts `seconds` down on its default button and
  // presses it when they have run out, answering MB_TIMEDOUT. The system has
  // none: each backend draws its own.
  int32_t (*countdownMessageBox)(HWND owner, const char* text, const char* caption, UINT flags, UINT seconds) = nullptr;
};

// The system's own calls, and the ones in force now.
const Win32Calls& SystemCalls();
Win32Calls InstalledCalls();
// Installed once at start, before the program makes a call (and by tests
// between their cases); returns what was in force before.
Win32Calls InstallWin32Calls(const Win32Calls& calls);

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags);
// MessageBoxA with a time-out (see Win32Calls); without a backend's own, the
// box is shown as MessageBoxA shows it, with no time-out.
int32_t CountdownMessageBoxA(HWND owner, const char* text, const char* caption, UINT flags, UINT seconds);
BOOL SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni);

HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block);
int32_t lstrlenA(const char* text);
char* lstrcpyA(char* to, const char* from);

}  // namespace os
