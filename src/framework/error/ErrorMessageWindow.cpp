#include "framework/error/ErrorMessageWindow.h"

#include "framework/error/ErrorWindowDef.h"
#include "runtime/BoxRules.h"
#include "runtime/EventLoop.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"

namespace quibra {

const char* ErrorButtonCaption(int32_t bit) {
  // The box's captions, except that this window gives OK and Cancel access
  // keys of their own.
  if (bit == rt::ButtonOk) return "O&k";
  if (bit == rt::ButtonCancel) return "&Cancel";
  for (const rt::BoxButton& b : rt::AllBoxButtons())
    if (b.value == bit) return b.caption;
  return "";
}

void ErrorMessageWindow::Configure(rt::Window* window, ErrorManager* manager, const std::string& caption, int32_t icon,
                                   int32_t buttons, int32_t defaultButton, int32_t style) {
  WIN = window;
  ERR = manager;
  CAPTION = caption;
  ICON = icon;
  BUTTONTYPES = buttons;
  MSGRVAL = defaultButton;
  STYLE = style;
}

Level ErrorMessageWindow::Setup() {
  if (Level r = WindowController::Setup(); r != LevelOk) return r;
  if (HISTORYHANDLER) AddComponent(HISTORYHANDLER);
  rt::OpenWindow(WIN);
  OPENED = 1;
  if (!CAPTION.empty()) rt::SetProperty(WIN, 0, rt::PropText, CAPTION);
  // The highest bit takes the rightmost button (100); lower bits fill
  // leftwards, so the buttons stand right-aligned in increasing bit order.
  MSGBUTTONS = 0;
  for (int32_t bit = rt::ButtonHelp; bit >= 1; bit >>= 1) {
    if (!(BUTTONTYPES & bit)) continue;
    ++MSGBUTTONS;
    MSGBUTTONID[MSGBUTTONS - 1] = bit;
    const int32_t control = ErrorFirstButtonControl - 1 + MSGBUTTONS;
    rt::SetProperty(WIN, control, rt::PropText, ErrorButtonCaption(bit));
    if (bit == MSGRVAL) {
      rt::SetProperty(WIN, control, rt::PropDefaultButton, 1);
      rt::Select(control);
    }
    rt::SetProperty(WIN, control, rt::PropHide, 0);
  }
  ShowIcon();
  return LevelOk;
}

void ErrorMessageWindow::ShowIcon() {
  if (ICON == 0)
    rt::SetProperty(WIN, ErrorImageControl, rt::PropText, rt::IconExclamation);
  else
    rt::SetProperty(WIN, ErrorImageControl, rt::PropText, rt::Value(ICON));
}

Level ErrorMessageWindow::OnAccepted() {
  if (Level r = WindowController::OnAccepted(); r != LevelOk) return r;
  if (const uint8_t b = ButtonOfControl(rt::Accepted())) {
    MSGRVAL = b;
    return LevelFatal;  // as a flow result: end the loop, the window closes
  }
  return LevelOk;
}

Level ErrorMessageWindow::Shutdown() {
  if (Level r = WindowController::Shutdown(); r != LevelOk) return r;
  CAPTION.clear();
  rt::CloseWindow(WIN);
  OPENED = 0;
  return LevelOk;
}

uint8_t ErrorMessageWindow::ButtonOfControl(int32_t control) const {
  for (int32_t i = 1; i <= MSGBUTTONS && i <= 8; ++i)
    if (control == ErrorFirstButtonControl - 1 + i) return static_cast<uint8_t>(MSGBUTTONID[i - 1]);
  return 0;
}

}  // namespace quibra
