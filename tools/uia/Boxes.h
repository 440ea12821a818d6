#pragma once
// The windows of the program under test as a person sees them: its main
// window, and message boxes of both kinds (the system's own, a "#32770"
// dialog, and the runtime's, a window of the runtime's class).
#include <windows.h>

#include <string>
#include <vector>

namespace uia {

inline constexpr char kRuntimeClass[] = "QuibraWindow";
inline constexpr char kSystemBoxClass[] = "#32770";

struct BoxButton {
  std::string caption;  // without the access-key marks: "Yes" for "&Yes"
  HWND hwnd = nullptr;
  int id = 0;
};

struct Box {
  HWND hwnd = nullptr;
  bool native = false;  // the system's box; else the runtime's own
  std::string title;
  std::vector<std::string> lines;  // the message, line by line
  std::vector<BoxButton> buttons;  // left to right
  std::string defaultButton;       // its caption; empty when none
  HWND focus = nullptr;            // the control with the keyboard focus
  int icon = 0;                    // IDI_* number of the icon shown, 0 = none
  const BoxButton* Button(const std::string& caption) const;
};

// A caption without its access-key marks.
std::string Plain(const std::string& caption);

// The program's enabled top-level window of the runtime's class with this
// title (any title when empty) that has a control with this id; null when
// there is none.
HWND FindWindowWithControl(DWORD process, const std::string& title, int control);
// A message box of the process: an enabled top-level window that is either
// the system's box or a runtime window other than `except`.
HWND FindBox(DWORD process, HWND except);
// Reads a box as a person reads it (waits briefly until it is drawn, for
// its icon).
Box ReadBox(HWND hwnd);

}  // namespace uia
