#include "framework/error/RunErrorWindow.h"

#include "framework/error/ErrorHistoryList.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ErrorMessageWindow.h"
#include "framework/error/ErrorWindowDef.h"
#include "framework/error/ErrorWindowModule.h"
#include "runtime/Window.h"

namespace quibra {

int32_t RunErrorWindow(ErrorManager& manager, const std::string& caption, int32_t icon, int32_t buttons,
                       int32_t defaultButton) {
  // A program that did not run the module set-up (or released its windows)
  // still gets its window.
  if (!rt::IsPrepared(SharedErrorWindow)) {
    RegisterErrorWindow();
    SharedErrorWindow = rt::PrepareWindow("errorwin", "$WINDOW");
  }
  auto* window = new ErrorMessageWindow;
  ErrorHistoryList list;
  window->Configure(SharedErrorWindow, &manager, caption, icon, buttons, defaultButton, 0);
  list.Bind(SharedErrorWindow, &manager, manager.HISTORY.get());
  window->HISTORYHANDLER = &list;
  window->RunModal();
  const int32_t result = window->MSGRVAL;
  delete window;
  return result;
}

}  // namespace quibra
