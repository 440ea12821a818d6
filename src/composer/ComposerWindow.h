#pragma once
// The controller of the composer window: sets the window up, follows the
// message-box style chosen, shows the composed box on "Show Message", and
// copies it as code on the window's commands.
#include "composer/ComposerData.h"
#include "framework/window/WindowController.h"
#include "runtime/MessageBox.h"

namespace quibra {

class ComposerWindow : public WindowController {
 public:
  explicit ComposerWindow(ComposerData* data) : DATA(data) {}

  ComposerData* DATA;

  Level Setup() override;
  Level Shutdown() override;
  Level OnAccepted() override;
  Level OnWindowEvent() override;

  // The box as the controls compose it now (their variables, as last
  // updated); "Show Message" shows it.
  rt::BoxRequest ComposedBox() const;
};

}  // namespace quibra
