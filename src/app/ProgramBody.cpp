#include "app/ProgramBody.h"

#include <iostream>
#include <string_view>

#include "app/Globals.h"
#include "app/Modules.h"
#include "app/SettingsPlace.h"
#include "composer/Main.h"
#include "framework/error/GlobalErrorManager.h"
#include "platform/Win32Api.h"
#include "runtime/Program.h"

namespace quibra {
namespace {

constexpr std::string_view kSettingsFile = "QuibraD.INI";

void SetDragFullWindows(os::UINT on) {
  // Written to the user's profile and broadcast to every window.
  os::SystemParametersInfoA(os::SPI_SETDRAGFULLWINDOWS, on, &SpareParameter,
                            os::SPIF_UPDATEINIFILE | os::SPIF_SENDWININICHANGE);
}

// A halt (a fatal error) must not leave the user's desktop changed.
void RestoreDragOnHalt() { SetDragFullWindows(1); }

}  // namespace

void RunStartHooks() {}
void RunEndHooks() {}

void ProgramBody() {
  rt::BeginProgram();
  GlobalErrorManager.Setup();
  RunStartHooks();
  GlobalWordMatcher.Setup();
  GlobalWordMatcher.SetMatchOption(1, 1);
  GlobalWordMatcher.SetMatchOption(2, 0);
  const SettingsPlace settings = PlaceSettingsFile(kSettingsFile, GlobalIniStore.FILENAME.capacity() - 1);
  // Told once, at start; the program goes on with the file where it was.
  if (!settings.problem.empty()) std::cerr << "quibrad: " << SettingsProblemLine(settings, kSettingsFile) << std::endl;
  GlobalIniStore.Initialize(settings.path);

  SavedDragFullWindows = 0;
  os::SystemParametersInfoA(os::SPI_GETDRAGFULLWINDOWS, 0, &SavedDragFullWindows, 0);
  // Only the exact value 1 counts as on.
  if (SavedDragFullWindows == 1) {
    SetDragFullWindows(0);
    rt::SetHaltCleanup(&RestoreDragOnHalt);
  }

  Main();

  GlobalIniStore.ProgramEndHook();
  if (SavedDragFullWindows == 1) {
    rt::SetHaltCleanup(nullptr);
    SetDragFullWindows(1);
  }
  GlobalIniStore.Finalize();
  GlobalWordMatcher.Shutdown();
  RunEndHooks();
  GlobalErrorManager.Shutdown();
}

int32_t RunProgram() {
  rt::SystemInit(&StartupDescriptor, 0);
  if (rt::CheckVersion(5, 507, 0) == 0) return 0;  // refused: nothing runs, nothing closes down
  ProgramBody();
  rt::CloseDown();
  return 0;
}

}  // namespace quibra
