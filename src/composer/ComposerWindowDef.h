#pragma once
#include <cstdint>

namespace rt {
struct WindowDef;
}

namespace quibra {
// The composer window's definition, "P1$WINDOW" of module "QuibraD$quibr001".

constexpr const char* ComposerModule = "QuibraD$quibr001";
constexpr const char* ComposerWindowName = "P1$WINDOW";

// The window's commands: the composed box copied as code.
enum ComposerCommand : int32_t {
  ComposerCopyCommandLine = 1,
  ComposerCopyCCall = 2,
  ComposerCopyZenity = 3,
  ComposerCopyKdialog = 4,
};

const rt::WindowDef& ComposerWindowDefinition();
// Registers the definition with the runtime (once is enough; again is harmless).
void RegisterComposerWindow();

}  // namespace quibra
