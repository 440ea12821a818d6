#pragma once
// What the runtime's own message box shows, attached to the window it runs
// in, so that a backend can tell a message box from other windows (to draw it
// as one, or, headless, to record it and let the script answer it).
#include <cstdint>
#include <string>
#include <vector>

namespace rt {

struct MessageBoxInfo {
  struct Button {
    int32_t value;        // its ButtonSet bit, or kFirstExtraButton and up
    int32_t control;      // its control number in the box's window
    std::string caption;  // as shown: without trailing blanks
  };

  std::string text;
  std::string caption;
  std::string icon;  // the icon code as given; empty or unknown: no icon
  int32_t buttons = 0;
  int32_t defaultButton = 0;  // the argument as given
  int32_t style = 0;
  int32_t timeout = 0;             // seconds until the default button presses itself; 0: none
  std::vector<std::string> lines;  // the text as shown, line by line, wrapped
  bool scrolls = false;            // the lines are more than the screen holds: they scroll
  std::vector<Button> shown;       // left to right
  int32_t defaultValue = 0;        // the ButtonSet value of the default button
  // What Escape and the close box answer; 0 when they do nothing.
  int32_t escapeValue = 0;
  intptr_t owner = 0;  // native handle of the window that was current
  // The check box under the text ("Do not ask again"): its control and
  // caption, 0 and empty where the box has none.
  int32_t checkControl = 0;
  std::string checkBox;
  // The pressed button once the box has closed; BoxTimedOut when the time ran out.
  int32_t result = 0;
};

}  // namespace rt
