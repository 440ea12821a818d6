#include "app/Modules.h"

#include "app/Globals.h"
#include "composer/ComposerWindowDef.h"
#include "framework/error/ErrorWindowModule.h"
#include "framework/file/FileUseRegistry.h"
#include "framework/window/WindowGlobals.h"
#include "runtime/Queue.h"
#include "runtime/Text.h"
#include "runtime/Window.h"
#include "runtime/WindowDef.h"

namespace quibra {

WordMatcher GlobalWordMatcher;
IniStore GlobalIniStore;
int32_t SavedDragFullWindows = 0;
int32_t SpareParameter = 0;

namespace {

// A text with its length in front, as the shared windows' colour list keeps it.
struct LengthPrefixed25 {
  uint8_t length = 0;
  char text[25] = {};
};

struct ColorEntry {
  int32_t COLOR = 0;
  rt::CString<25> TEXT;
  LengthPrefixed25 TEXTKEY;
};

rt::Queue<ColorEntry> ColorList;
rt::Window* multiWindow = nullptr;
rt::Window* textWindow = nullptr;

// Nothing in the program opens the two shared windows: they are prepared
// and released only, so their definitions are empty.
void RegisterSharedWindows() {
  for (const char* name : {"$MULTIWINDOW", "$TXTWINDOW"}) {
    rt::WindowDef def;
    def.module = "sharedwin";
    def.name = name;
    rt::RegisterWindow(def);
  }
}

}  // namespace

void MainModuleSetup(int32_t end) {
  if (end != 0) return;
  rt::Init();
  GlobalWordMatcher.Construct();
  NextRequest = 0;
  LastResponse = 0;
  NavigationRequest = 0;
  // The window definitions are the program's resources.
  RegisterComposerWindow();
  RegisterSharedWindows();
}

void SharedWindowsModuleSetup(int32_t end) {
  if (end == 0) {
    ColorList.buffer = {};
    multiWindow = rt::PrepareWindow("sharedwin", "$MULTIWINDOW");
    textWindow = rt::PrepareWindow("sharedwin", "$TXTWINDOW");
    return;
  }
  rt::ReleaseWindow(textWindow);
  textWindow = nullptr;
  rt::ReleaseWindow(multiWindow);
  multiWindow = nullptr;
  ColorList.Free();
}

bool SharedWindowsPrepared() { return rt::IsPrepared(multiWindow) && rt::IsPrepared(textWindow); }

namespace {
void MainModule(int32_t end) { MainModuleSetup(end); }
void FileAccessModule(int32_t end) { FileAccessModuleSetup(end); }
void SharedWindowsModule(int32_t end) { SharedWindowsModuleSetup(end); }
void ErrorWindowModule(int32_t end) { ErrorWindowModuleSetup(end); }
}  // namespace

const rt::ModuleEntry ModuleTable[4] = {
    {5, &MainModule, &MainModule},
    {5, &FileAccessModule, &FileAccessModule},
    {5, &SharedWindowsModule, &SharedWindowsModule},
    {5, &ErrorWindowModule, &ErrorWindowModule},
};

const rt::StartupDescriptor StartupDescriptor = {ModuleTable, ModuleTable + 4, &WindowGlobals, &WindowGlobals + 1};

}  // namespace quibra
