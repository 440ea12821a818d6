#include "framework/error/ErrorWindowModule.h"

#include "framework/error/ErrorLogFile.h"
#include "framework/error/ErrorWindowDef.h"
#include "runtime/Window.h"

namespace quibra {

rt::Window* SharedErrorWindow = nullptr;

namespace {

// Releasing every window leaves SharedErrorWindow stale, and a window
// prepared since may have taken its address: only a prepared window made
// from the error window's definition is the shared window.
bool SharedWindowValid() {
  if (!rt::IsPrepared(SharedErrorWindow)) return false;
  const rt::WindowDef& def = SharedErrorWindow->Def();
  return def.module == ErrorWindowDefinition().module && def.name == ErrorWindowDefinition().name;
}

}  // namespace

rt::Window* PreparedErrorWindow() {
  if (!SharedWindowValid()) {
    RegisterErrorWindow();
    SharedErrorWindow = rt::PrepareWindow("errorwin", "$WINDOW");
  }
  return SharedErrorWindow;
}

void ErrorWindowModuleSetup(int32_t end) {
  if (end == 0) {
    PreparedErrorWindow();
    BindErrorLogFile();
    return;
  }
  // A stale pointer may name another window now, which is not ours to release.
  if (SharedWindowValid()) rt::ReleaseWindow(SharedErrorWindow);
  SharedErrorWindow = nullptr;
}

}  // namespace quibra
