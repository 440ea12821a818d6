#pragma once
// A message box as the terminal draws it, whichever drawer asked for it: the
// runtime's own box window, the native box of a whole request, or
// MessageBoxA. What it shows comes from the runtime's box rules; the rest is
// the state of a person's answering it (focus, scrolling, the check box).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace terminal {

struct BoxModel {
  struct Button {
    std::string caption;  // '&' before its access key
    int32_t value;        // its ButtonSet value, or kFirstExtraButton and up
  };

  std::string title;
  std::string icon;  // an icon code; empty or unknown: none
  std::vector<std::string> lines;
  std::vector<Button> buttons;  // left to right
  std::size_t defaultIndex = 0;
  int32_t escapeValue = 0;  // what Escape and Ctrl+C answer; 0: nothing
  std::string checkBox;     // empty: none
  bool checked = false;
  bool systemModal = false;

  // The focus: a button's index, or buttons.size() for the check box.
  std::size_t focus = 0;
  std::size_t top = 0;  // the first line shown of a text that scrolls

  bool HasCheckBox() const { return !checkBox.empty(); }
  bool CheckBoxFocused() const { return HasCheckBox() && focus == buttons.size(); }
};

}  // namespace terminal
