#pragma once
// How the runtime draws windows and gets the user's input. Exactly one backend
// is installed in a program; it renders any window definition and knows
// nothing of the program's windows. The runtime calls it on the thread that
// runs the window.
#include <cstdint>
#include <string>

#include "runtime/MessageBox.h"

namespace rt {

class Window;

// A size in dialog units of the runtime's default window font (8-point "MS
// Sans Serif").
struct ScreenArea {
  int32_t width = 0;
  int32_t height = 0;
};
// A 1024 by 768 screen less a task bar, in that font's 6 by 13 pixel units:
// the screen of a backend that has none.
constexpr ScreenArea kClassicWorkArea{682, 448};

class Backend {
 public:
  virtual ~Backend() = default;

  // A window was opened: make its native window, showing its controls.
  virtual void CreateNativeWindow(Window& window) = 0;
  // A window is closing: its native window goes.
  virtual void DestroyNativeWindow(Window& window) = 0;
  // A control's contents or properties changed; control 0 is the window
  // itself (its title).
  virtual void ControlChanged(Window& window, int32_t control) = 0;
  // The window's timer period changed (Window::TimerPeriod, 0: stopped):
  // post EventTimer to it each time a period has passed while it is open.
  virtual void TimerChanged(Window& window) = 0;
  // The program moved the focus.
  virtual void FocusChanged(Window& window, int32_t control) = 0;
  // The window's event loop has nothing left to do: wait until the user
  // acts and queue what the action produces (Window::Post), or until the
  // window closes. Returning with nothing queued makes the runtime wait again.
  virtual void WaitForEvent(Window& window) = 0;
  // The native window's handle as a number; 0 when it has none.
  virtual intptr_t NativeHandle(const Window& window) const = 0;
  virtual void Beep(int32_t frequency, int32_t duration) = 0;
  // The mouse cursor: named cursor bytes, or empty for the normal cursor.
  virtual void SetCursor(const std::string& cursor) = 0;
  // The screen's work area (without task bars and panels), which no message
  // box outgrows.
  virtual ScreenArea WorkArea() const = 0;
  // Puts text on the system's clipboard, for the user to paste elsewhere.
  virtual void SetClipboardText(const std::string& text) = 0;
  // The platform's own message box with the whole request: its captions,
  // added buttons, markup, check box and Escape rule. What this one does:
  // MessageBoxA with the request's flags, which shows none of those.
  virtual BoxAnswer NativeBox(const BoxRequest& request);
};

// Installs the backend (not owned). Without one, the runtime cannot wait for
// input: a window that waits halts the program with a clear message.
void SetBackend(Backend* backend);
Backend& CurrentBackend();

// Puts text on the clipboard, through the installed backend.
void SetClipboardText(const std::string& text);

}  // namespace rt
