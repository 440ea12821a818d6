#pragma once
// A window definition: the data a window is prepared from, registered with
// the runtime by module name and window name.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ControlDef.h"

namespace rt {

// A position that lets the platform place the window.
constexpr int32_t DefaultPosition = std::numeric_limits<int32_t>::min();

// A command the window offers beside its controls: in its context menu, on
// Windows also in its system menu, and under its keyboard shortcut. Choosing
// it queues EventCommand with the command's number as the key code.
struct WindowCommand {
  int32_t number;        // 1 and up
  std::string text;      // the menu entry, '&' before its access key
  std::string shortcut;  // "Ctrl+Shift+C": Ctrl, Shift and Alt, then a letter or digit; empty for none
};

struct WindowDef {
  std::string module;
  std::string name;
  std::string caption;
  std::string fontName = "MS Sans Serif";
  int32_t fontSize = 8;
  int32_t x = DefaultPosition;  // dialog units
  int32_t y = DefaultPosition;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<ControlDef> controls;  // in definition order
  std::vector<WindowCommand> commands;

  const ControlDef* Find(int32_t number) const;
};

// Registers a definition under its module and window name, compared without
// case; a later registration under the same names replaces the earlier one
// (windows already prepared keep the copy they took). Refuses, with the error
// state set to ErrInvalidDeclaration, a definition without a name, with a
// control number below 1 or with a number used twice.
bool RegisterWindow(const WindowDef& def);
// The registered definition, or nullptr.
const WindowDef* RegisteredWindow(std::string_view module, std::string_view name);
// Every registered definition, ordered by module and window name.
std::vector<const WindowDef*> RegisteredWindows();
// Checks a definition as RegisterWindow does, without registering it.
bool ValidWindowDef(const WindowDef& def);

}  // namespace rt
