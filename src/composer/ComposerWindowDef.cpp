#include "composer/ComposerWindowDef.h"

#include "runtime/MessageBox.h"
#include "runtime/WindowDef.h"

namespace quibra {

namespace {

rt::ControlDef Control(int32_t number, const char* name, rt::ControlKind kind, std::string text, int32_t x, int32_t y,
                       int32_t width = 0, int32_t height = 0) {
  return rt::MakeControl(number, name, kind, std::move(text), x, y, width, height);
}

rt::ControlDef Entry(int32_t number, const char* name, const char* picture, int32_t x, int32_t y, int32_t width,
                     int32_t height) {
  rt::ControlDef c = Control(number, name, rt::ControlKind::Entry, "", x, y, width, height);
  c.picture = picture;
  return c;
}

rt::ControlDef Radio(int32_t number, const char* name, const char* text, std::string value, int32_t x, int32_t y) {
  rt::ControlDef c = Control(number, name, rt::ControlKind::Radio, text, x, y);
  c.value = std::move(value);
  return c;
}

rt::WindowDef Build() {
  using K = rt::ControlKind;
  rt::WindowDef w;
  w.module = ComposerModule;
  w.name = ComposerWindowName;
  w.caption = "OvQuibra Demo";
  w.fontName = "MS Sans Serif";
  w.fontSize = 8;
  w.width = 241;
  w.height = 179;
  rt::ControlDef spin = Control(ControlDefaultButton, "?DEFAULTBUTTON", K::Spin, "", 148, 110, 27, 10);
  spin.picture = "n1";
  spin.increment = 1;
  w.controls = {
      Control(ControlMessageTextPrompt, "?MESSAGETEXT:PROMPT", K::Prompt, "Message Text:", 7, 3),
      Entry(ControlMessageText, "?MESSAGETEXT", "s128", 57, 3, 172, 10),
      Control(ControlMessageTitlePrompt, "?MESSAGETITLE:PROMPT", K::Prompt, "Message Title:", 7, 17),
      Entry(ControlMessageTitle, "?MESSAGETITLE", "s40", 57, 17, 60, 10),
      Control(ControlButtonStyle, "?BUTTONSTYLE", K::OptionGroup, "Supported Button Styles", 7, 31, 224, 73),
      Radio(ControlButtonOk, "?OPTION1:RADIO1", "BUTTON:OK", "1", 13, 41),
      Radio(ControlButtonOkCancel, "?OPTION1:RADIO1:2", "BUTTON:OK + BUTTON:CANCEL", "65", 13, 51),
      Radio(ControlButtonYesNo, "?OPTION1:RADIO1:3", "BUTTON:YES + BUTTON:NO", "6", 13, 61),
      Radio(ControlButtonYesNoCancel, "?OPTION1:RADIO1:4", "BUTTON:YES + BUTTON:NO + BUTTON:CANCEL", "70", 13, 71),
      Radio(ControlButtonAbortRetryIgnore, "?OPTION1:RADIO1:5", "BUTTON:ABORT + BUTTON:RETRY + BUTTON:IGNORE", "56", 13,
            81),
      Radio(ControlButtonRetryCancel, "?OPTION1:RADIO1:6", "BUTTON:RETRY + BUTTON:CANCEL", "80", 13, 91),
      Control(ControlMessageIcon, "?MSGICON", K::OptionGroup, "Supported Icons", 7, 107, 87, 63),
      Radio(ControlIconNone, "?MSGICON:RADIO1", "ICON:None", rt::IconNone, 13, 118),
      Radio(ControlIconExclamation, "?MSGICON:RADIO1:2", "ICON:Exclamation", rt::IconExclamation, 13, 128),
      Radio(ControlIconAsterisk, "?MSGICON:RADIO1:3", "ICON:Asterisk", rt::IconAsterisk, 13, 138),
      Radio(ControlIconQuestion, "?MSGICON:RADIO1:4", "ICON:Question", rt::IconQuestion, 13, 148),
      Radio(ControlIconHand, "?MSGICON:RADIO1:5", "ICON:Hand", rt::IconHand, 13, 158),
      Control(ControlDefaultButtonPrompt, "?DEFAULTBUTTON:PROMPT", K::Prompt, "Default Button:", 98, 111),
      spin,
      Control(ControlSystemModal, "?SYSTEMMODAL", K::CheckBox, "System Modal Message", 98, 122),
      Control(ControlMessageStyle, "?MESSAGESTYLE", K::OptionGroup, "Message Box Style", 98, 134, 135, 25),
      Radio(ControlThreadSafe, "?MESSAGESTYLE:RADIO1", "Thread Safe", "1", 103, 145),
      Radio(ControlRuntime, "?MESSAGESTYLE:RADIO1:2", "Runtime", "0", 166, 145),
      Control(ControlShowMessage, "?BUTTON2", K::Button, "Show Message", 131, 164, 59, 14),
      Control(ControlClose, "?CLOSE", K::Button, "Close", 195, 164, 45, 14),
  };
  // The composed box as code, for a script or a program (its context menu,
  // on Windows also its system menu).
  w.commands = {
      {ComposerCopyCommandLine, "Copy as &command line", "Ctrl+Shift+C"},
      {ComposerCopyCCall, "Copy as C call (&MessageBoxA)", ""},
      {ComposerCopyZenity, "Copy as &zenity command", ""},
      {ComposerCopyKdialog, "Copy as &kdialog command", ""},
  };
  return w;
}

}  // namespace

const rt::WindowDef& ComposerWindowDefinition() {
  static const rt::WindowDef def = Build();
  return def;
}

void RegisterComposerWindow() { rt::RegisterWindow(ComposerWindowDefinition()); }

}  // namespace quibra
