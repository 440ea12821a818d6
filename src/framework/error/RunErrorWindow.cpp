#include "framework/error/RunErrorWindow.h"

#include <memory>

#include "framework/error/ErrorHistoryList.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ErrorMessageWindow.h"
#include "framework/error/ErrorWindowModule.h"
#include "runtime/Window.h"

namespace quibra {

int32_t RunErrorWindow(ErrorManager& manager, const std::string& caption, int32_t icon, int32_t buttons,
                       int32_t defaultButton) {
  rt::Window* shared = PreparedErrorWindow();
  auto window = std::make_unique<ErrorMessageWindow>();
  ErrorHistoryList list;
  window->Configure(shared, &manager, caption, icon, buttons, defaultButton, 0);
  list.Bind(shared, &manager, manager.HISTORY.get());
  window->HISTORYHANDLER = &list;
  window->RunModal();
  return window->MSGRVAL;
}

}  // namespace quibra
