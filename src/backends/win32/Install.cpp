// The Windows program's backend: installed once, before the program starts.
#include "backends/InstallBackend.h"
#include "backends/win32/CountdownBox.h"
#include "backends/win32/NativeWindow.h"
#include "backends/win32/Win32Backend.h"
#include "runtime/Backend.h"

namespace backend {

void Install(const StartOptions&) {
  static win32::Win32Backend backend;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  win32::NativeWindow::RegisterWindowClass();
  rt::SetBackend(&backend);
  os::InstallWin32Calls({.countdownMessageBox = &win32::CountdownMessageBox});
}

}  // namespace backend
