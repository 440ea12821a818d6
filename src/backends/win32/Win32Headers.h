#pragma once
// The Windows headers, for this backend's own files only (never for a header
// that runtime code includes). <windows.h> defines MessageBox as a macro,
// which would rename rt::MessageBox; it is the one clash with the runtime's
// names, and it is taken back at once. platform/Win32Api.h must come before
// it: the Windows headers define the names of its constants as macros.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#undef MessageBox
