#pragma once

namespace rt {
struct WindowDef;
}

namespace quibra {
// The composer window's definition, "P1$WINDOW" of module "QuibraD$quibr001".

constexpr const char* ComposerModule = "QuibraD$quibr001";
constexpr const char* ComposerWindowName = "P1$WINDOW";

const rt::WindowDef& ComposerWindowDefinition();
// Registers the definition with the runtime (once is enough; again is harmless).
void RegisterComposerWindow();

}  // namespace quibra
