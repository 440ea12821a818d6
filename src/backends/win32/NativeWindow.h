#pragma once
// The native window of one open runtime window: a top-level window of our own
// class with a standard child control for every control of the definition,
// placed in dialog units of the definition's font, with the control numbers
// as control ids. It shows the runtime window's state (Refresh) and turns what
// the user does into the runtime's events (NativeWindowInput.cpp).
#include <cstdint>
#include <string>
#include <vector>

#include "backends/win32/Win32Headers.h"
#include "runtime/ControlDef.h"
#include "runtime/DialogUnits.h"

namespace rt {
class Window;
}

namespace win32 {

// The class name of every runtime window, for UI-automation tools.
inline constexpr char kWindowClass[] = "QuibraWindow";
// A spin field's up-down arrows take the field's number plus this as their id.
inline constexpr int32_t kUpDownIdOffset = 0x4000;

// A native window's or control's text.
std::string NativeText(HWND hwnd);

class NativeWindow {
 public:
  // Makes and shows the native window of an open runtime window. `owner` is
  // the window it stands over (disabled while this one is open) or null.
  // Valid() is false when the system refused to make it.
  NativeWindow(rt::Window& window, HWND owner);
  // The owner is enabled again before the window goes, so that it is the one
  // the system activates next.
  ~NativeWindow();
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  bool Valid() const { return hwnd_ != nullptr; }
  HWND Handle() const { return hwnd_; }
  rt::Window& Runtime() { return window_; }
  const rt::BaseUnits& Units() const { return units_; }
  // The native control of a control number (a spin's edit field), or null.
  HWND ControlHandle(int32_t number) const;
  std::string LastError() const { return error_; }

  // The program changed a control (0: the window's title).
  void Refresh(int32_t control);
  // The program moved the focus.
  void FocusControl(int32_t control);
  // Posts EventTimer every `milliseconds` (a system timer of the window); 0
  // stops it.
  void SetTimer(int32_t milliseconds);

  // For the message loop: keys this window handles itself (Enter, Escape,
  // alerted keys) and the dialog manager's keyboard navigation (Tab, arrows,
  // access keys). True when the message was used up.
  bool PreTranslate(MSG& message);
  // Notes where the keyboard focus is and queues what a move of it means: an
  // edited entry that the focus leaves is accepted, then the new control is
  // selected.
  void SyncFocus();

  // The native window of a window handle or of any of its controls, among
  // those of this thread; null for other windows.
  static NativeWindow* FromHandle(HWND hwnd);
  // Registers the window class once per process.
  static bool RegisterWindowClass();
  // The last input that can press a control, as the runtime's key code (the
  // mouse buttons, or a key); set by the message loop for each message.
  static void NoteInput(const MSG& message);
  // The mouse cursor over runtime windows, as a system cursor number.
  static void UseCursor(int32_t cursor);
  // The font of a window definition (8-point "MS Sans Serif" by default) and
  // its base units measured on the screen; null where the system has none.
  static HFONT MakeFont(const std::string& name, int32_t points, HDC screen, rt::BaseUnits& units);

 private:
  struct Child {
    const rt::ControlDef* def = nullptr;
    HWND hwnd = nullptr;
    HWND upDown = nullptr;  // a spin's arrows
    int32_t rows = -1;      // a list's row count as last shown
  };

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);

  // NativeWindow.cpp: making the window.
  void Create(HWND owner);
  void CreateChild(std::size_t index, HDC dc);
  SIZE AutoSize(const rt::ControlDef& def, HDC dc) const;
  RECT ClientArea(HDC dc) const;

  // NativeWindowState.cpp: showing the runtime window's state.
  Child* Find(int32_t number);
  Child* FindHandle(HWND hwnd);
  void RefreshChild(Child& child);
  void RefreshChecks(int32_t group);
  void RefreshList(Child& child);
  void SetNativeText(HWND hwnd, const std::string& text);
  // A prompt's text; a message box's first line holds all its lines.
  std::string PromptText(int32_t number) const;
  void ShowIcon(Child& child);
  bool IsDefaultButton(int32_t number) const;

  // NativeWindowInput.cpp: the user's input.
  void OnCommand(Child& child, int32_t code);
  LRESULT OnNotify(Child& child, NMHDR* header);
  void MoveFocus(WPARAM wParam, LPARAM lParam);
  bool AlertsKey(int32_t number, int32_t keyCode) const;
  int32_t EnterTarget() const;
  // WindowCommands.cpp: the definition's commands in the system menu, a
  // context menu and their shortcuts; each true when it was one of them.
  void AddCommands();
  bool ChooseCommand(UINT id);
  bool ShowContextMenu(LPARAM at);
  bool CommandShortcut(int32_t vk, bool shift, bool control, bool alt);
  void Post(int32_t event, int32_t control, int32_t keyCode);

  rt::Window& window_;
  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  HFONT font_ = nullptr;
  rt::BaseUnits units_;
  std::vector<Child> children_;  // in definition order
  int32_t defaultButton_ = 0;
  int32_t lastFocus_ = 0;
  int32_t edited_ = 0;           // the entry edited by the user and not yet left
  int updating_ = 0;             // non-zero while the program's changes are shown
  HWND navigateFrom_ = nullptr;  // a prompt whose access key was pressed
  bool created_ = false;         // the window is made and shown
  std::string error_;
};

}  // namespace win32
