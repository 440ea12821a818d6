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

  rt::ControlDef image;
  image.number = ErrorImageControl;
  image.name = "?IMAGE";
  image.kind = rt::ControlKind::Image;
  image.x = 2, image.y = 4, image.width = 26, image.height = 28;
  w.controls.push_back(image);

  rt::ControlDef list;
  list.number = ErrorListControl;
  list.name = "?LIST";
  list.kind = rt::ControlKind::List;
  list.x = 32, list.y = 4, list.width = 286, list.height = 71;
  list.format = ErrorListFormat;
  w.controls.push_back(list);

  // ?BUTTON1 at the left edge to ?BUTTON8 at the right, hidden until used.
  for (int32_t i = 1; i <= 8; ++i) {
    rt::ControlDef b;
    b.number = ErrorFirstButtonControl + 8 - i;
    b.name = "?BUTTON" + std::to_string(i);
    b.kind = rt::ControlKind::Button;
    b.text = "Button " + std::to_string(i);
    b.x = 4 + 40 * (i - 1), b.y = 80, b.width = 36, b.height = 14;
    b.hidden = true;
    w.controls.push_back(b);
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
