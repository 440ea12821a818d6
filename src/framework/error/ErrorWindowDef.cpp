#include "framework/error/ErrorWindowDef.h"

#include <string>

#include "runtime/WindowDef.h"

namespace quibra {
namespace {

rt::WindowDef Build() {
  rt::WindowDef w;
  w.module = "errorwin";
  w.name = "$WINDOW";
  w.caption = "Error";
  w.fontName = "MS Sans Serif";
  w.fontSize = 8;
  w.width = 324;
  w.height = 98;

  using K = rt::ControlKind;
  w.controls.push_back(rt::MakeControl(ErrorImageControl, "?IMAGE", K::Image, "", 2, 4, 26, 28));
  rt::ControlDef list = rt::MakeControl(ErrorListControl, "?LIST", K::List, "", 32, 4, 286, 71);
  list.format = ErrorListFormat;
  w.controls.push_back(list);
  // ?BUTTON1 at the left edge to ?BUTTON8 at the right, hidden until used.
  for (int32_t i = 1; i <= 8; ++i) {
    rt::ControlDef& b = w.controls.emplace_back(
        rt::MakeControl(ErrorFirstButtonControl + 8 - i, "?BUTTON" + std::to_string(i), K::Button,
                        "Button " + std::to_string(i), 4 + 40 * (i - 1), 80, 36, 14));
    b.hidden = true;
  }
  return w;
}

}  // namespace

const rt::WindowDef& ErrorWindowDefinition() {
  static const rt::WindowDef def = Build();
  return def;
}

void RegisterErrorWindow() { rt::RegisterWindow(ErrorWindowDefinition()); }

}  // namespace quibra
