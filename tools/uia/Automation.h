#pragma once
// A small UI-automation toolkit over plain Win32: it finds another process's
// windows and controls by class, text and id, reads them and presses them
// with messages, as screen readers and test tools do; it never uses screen
// coordinates to act.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace uia {

struct Control {
  HWND hwnd = nullptr;
  int id = 0;
  std::string className;
  std::string text;
  DWORD style = 0;
  RECT rect{};  // in the parent's client coordinates
  bool visible = false;
};

std::string ClassOf(HWND hwnd);
// The text as the window itself reports it (WM_GETTEXT), which for an edit
// field is its contents; empty when the window does not answer in time.
std::string TextOf(HWND hwnd);
Control Describe(HWND hwnd);
// The direct child windows, in z-order (the order they were made).
std::vector<Control> Children(HWND parent);
// The child with this id, or a Control with a null hwnd.
Control ChildById(HWND parent, int id);
// The process's visible top-level windows.
std::vector<HWND> TopWindows(DWORD process);
// The window of the process's GUI thread that has the keyboard focus.
HWND FocusOf(HWND top);

// Waits (polling) until `find` gives a window, up to `milliseconds`; null
// when it never does.
HWND WaitForWindow(const std::function<HWND()>& find, int milliseconds);
// Waits until the condition holds; false when it never does.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds);

// Presses a button as its click would, without waiting for what it opens.
void Click(HWND button);
void SetText(HWND control, const std::string& text);
// A key pressed and released, sent to the control that has the focus.
void PressKey(HWND focus, int virtualKey);
// An access key (Alt + letter) sent to a window.
void PressAccessKey(HWND target, char letter);
bool IsChecked(HWND button);

}  // namespace uia
