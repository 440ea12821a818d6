#pragma once
// The framework's own message window: an icon, the error history as a
// two-column list, and up to eight buttons from a ButtonSet, right-aligned.
// Pressing a shown button ends the window with that button's value.
#include <cstdint>
#include <string>

#include "framework/window/WindowController.h"

namespace rt {
class Window;
}

namespace quibra {

class ErrorManager;

class ErrorMessageWindow : public WindowController {
 public:
  int32_t BUTTONTYPES = 0;  // the ButtonSet shown
  std::string CAPTION;      // copy of the title; empty keeps the definition's
  ErrorManager* ERR = nullptr;
  int32_t ICON = 0;  // 0 selects the warning icon
  WindowComponent* HISTORYHANDLER = nullptr;
  int32_t MSGBUTTONS = 0;       // how many buttons are shown
  int32_t MSGBUTTONID[8] = {};  // each shown button's ButtonSet value, by placement order
  int32_t MSGRVAL = 0;          // the default button before the run, the pressed one after
  int32_t STYLE = 0;
  rt::Window* WIN = nullptr;

  Level Setup() override;
  Level Shutdown() override;
  Level OnAccepted() override;
  virtual void ShowIcon();

  void Configure(rt::Window* window, ErrorManager* manager, const std::string& caption, int32_t icon, int32_t buttons,
                 int32_t defaultButton, int32_t style);
  // The ButtonSet value of a shown button's control, 0 for any other control.
  uint8_t ButtonOfControl(int32_t control) const;
};

// The caption of a ButtonSet bit ("&" marks the access key).
const char* ErrorButtonCaption(int32_t bit);

}  // namespace quibra
