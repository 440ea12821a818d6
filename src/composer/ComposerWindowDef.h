#pragma once
#include <cstdint>

namespace rt {
struct WindowDef;
}

namespace quibra {
// The composer window's definition, "P1$WINDOW" of module "QuibraD$quibr001".

constexpr const char* ComposerModule = "QuibraD$quibr001";
constexpr const char* ComposerWindowName = "P1$WINDOW";

// The window's 25 controls, by their numbers: the tab order.
enum ComposerControl : int32_t {
  ControlMessageTextPrompt = 1,
  ControlMessageText = 2,
  ControlMessageTitlePrompt = 3,
  ControlMessageTitle = 4,
  ControlButtonStyle = 5,  // the group of the six button-set radios
  ControlButtonOk = 6,
  ControlButtonOkCancel = 7,
  ControlButtonYesNo = 8,
  ControlButtonYesNoCancel = 9,
  ControlButtonAbortRetryIgnore = 10,
  ControlButtonRetryCancel = 11,
  ControlMessageIcon = 12,  // the group of the five icon radios
  ControlIconNone = 13,
  ControlIconExclamation = 14,
  ControlIconAsterisk = 15,
  ControlIconQuestion = 16,
  ControlIconHand = 17,
  ControlDefaultButtonPrompt = 18,
  ControlDefaultButton = 19,  // the spin
  ControlSystemModal = 20,
  ControlMessageStyle = 21,  // the group of the two drawer radios
  ControlThreadSafe = 22,
  ControlRuntime = 23,
  ControlShowMessage = 24,
  ControlClose = 25,
};

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
