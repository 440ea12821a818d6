#pragma once
// Something to do to the system's message box once it is laid out: when its
// dialog procedure has handled WM_INITDIALOG (its buttons made, its size
// known), as the program fits a tall box to the screen and sets the captions
// and the countdown of a box it adds to.
//
// The box is caught as it is made, by a CBT hook that ends there, and then
// subclassed until WM_INITDIALOG: a hook on every message the box's windows
// get (WH_CALLWNDPROCRET) would run for each of the few hundred messages of
// its making, and under Wine each hooked message is a trip to the Wine server,
// which made a box from the command line take half again as long to appear.
// Include after <windows.h> (or backends/win32/Win32Headers.h).
#include <vector>

namespace os::windows {

class WhenBoxLaidOut {
 public:
  using Action = void (*)(::HWND box, void* context);
  // Calls `action` with the next message box ("#32770" dialog) this thread
  // makes, once laid out. While several wait, each is called, in the order
  // they were made.
  WhenBoxLaidOut(Action action, void* context);
  // A box that never came (its call failed) is waited for no longer.
  ~WhenBoxLaidOut();
  WhenBoxLaidOut(const WhenBoxLaidOut&) = delete;
  WhenBoxLaidOut& operator=(const WhenBoxLaidOut&) = delete;

 private:
  static LRESULT CALLBACK Created(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK BoxProc(::HWND box, UINT message, WPARAM wParam, LPARAM lParam);
  static void StopWaiting();

  Action action_;
  void* context_;
};

}  // namespace os::windows
