#pragma once
// The Win32 calls the program makes, declared the same on every OS. The
// linked backend implements them: the win32 backend forwards to user32 and
// kernel32; the headless backend records each call and answers message boxes
// from the test's script, on Linux and on Windows alike, so that the tests of
// the 32-bit build see exactly what the Linux tests see.
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

// The full-window-drag setting.
constexpr UINT SPI_SETDRAGFULLWINDOWS = 37;
constexpr UINT SPI_GETDRAGFULLWINDOWS = 38;
constexpr UINT SPIF_UPDATEINIFILE = 0x1;
constexpr UINT SPIF_SENDWININICHANGE = 0x2;

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags);
BOOL SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni);

HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block);
int32_t lstrlenA(const char* text);
char* lstrcpyA(char* to, const char* from);

}  // namespace os
