#include "framework/error/ErrorWindowModule.h"

#include "framework/error/ErrorLogFile.h"
#include "framework/error/ErrorWindowDef.h"
#include "runtime/Window.h"

namespace quibra {

rt::Window* SharedErrorWindow = nullptr;

void ErrorWindowModuleSetup(int32_t end) {
  if (end == 0) {
    RegisterErrorWindow();
    SharedErrorWindow = rt::PrepareWindow("errorwin", "$WINDOW");
    BindErrorLogFile();
    return;
  }
  rt::ReleaseWindow(SharedErrorWindow);
  SharedErrorWindow = nullptr;
}

}  // namespace quibra
