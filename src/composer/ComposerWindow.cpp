#include "composer/ComposerWindow.h"

#include <string>

#include "composer/BoxCode.h"
#include "composer/ComposerUtility.h"
#include "composer/ComposerWindowDef.h"
#include "framework/error/GlobalErrorManager.h"
#include "framework/window/WindowGlobals.h"
#include "platform/ThisOs.h"
#include "runtime/BoxRules.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"

namespace quibra {

namespace {
// A text-only call: caption, icon and button set omitted.
void ShowReport(const std::string& text) { rt::MessageBox(text, "", "", "", 1, 1, 1, 0, 0); }
}  // namespace

Level ComposerWindow::Setup() {
  GlobalErrorManager.TrackProcedure("Main", false);
  REQUEST = NextRequest;
  if (Level r = WindowController::Setup(); r != LevelOk) return r;
  // The prompt: selecting it puts the caret in the message text after it.
  FIRSTFIELD = ControlMessageTextPrompt;
  VCRREQUEST = &NavigationRequest;
  ERRORS = &GlobalErrorManager;
  NextRequest = 0;
  LastResponse = 0;
  AttachToolbar(DATA->toolbar);
  AddButtonAction(ControlClose, ResponseCancelled);
  rt::OpenWindow(DATA->window);
  OPENED = 1;
  // The hook goes in whatever the style variable holds; it starts at
  // "Thread Safe", so the two agree.
  DATA->utility->SetMessageHook(1);
  ArmKeys();
  return LevelOk;
}

Level ComposerWindow::Shutdown() {
  if (Level r = WindowController::Shutdown(); r != LevelOk) return r;
  GlobalErrorManager.TrackProcedure("", true);
  return LevelOk;
}

rt::BoxRequest ComposerWindow::ComposedBox() const {
  // A ticked "System Modal Message" asks for a system-modal box.
  return {.text = std::string(DATA->MESSAGETEXT.raw()),
          .caption = std::string(DATA->MESSAGETITLE.raw()),
          .icon = std::string(DATA->MSGICON.raw()),
          .buttons = DATA->BUTTONSTYLE,
          .defaultButton = DATA->DEFAULTBUTTON,
          .style = DATA->SYSTEMMODAL};
}

Level ComposerWindow::OnWindowEvent() {
  if (rt::Event() != rt::EventCommand) return WindowController::OnWindowEvent();
  struct Form {
    ComposerCommand command;
    CodeForm form;
  };
  constexpr Form kForms[] = {{ComposerCopyCommandLine, CodeForm::CommandLine},
                             {ComposerCopyCCall, CodeForm::CCall},
                             {ComposerCopyZenity, CodeForm::Zenity},
                             {ComposerCopyKdialog, CodeForm::Kdialog}};
  for (const Form& f : kForms) {
    if (f.command != rt::KeyCode()) continue;
    rt::Update(0);  // an edit counts while the focus is still in its field
    const BoxStyle style = DATA->MESSAGESTYLE == 1 ? BoxStyle::Native : BoxStyle::Runtime;
    const BoxCode code = CodeOf(f.form, ComposedBox(), style, os::kWindows ? Shell::Windows : Shell::Posix);
    // Where the form cannot show this box, the person is told why, and the
    // clipboard keeps what it had.
    if (code.Ok())
      rt::SetClipboardText(code.code);
    else
      ShowReport(code.cannot);
  }
  return LevelOk;
}

Level ComposerWindow::OnAccepted() {
  const int32_t c = rt::Accepted();
  if (c == ControlMessageStyle) DATA->utility->SetMessageHook(static_cast<uint8_t>(DATA->MESSAGESTYLE & 0xFF));
  if (c == ControlShowMessage) {
    // Every control is copied first, so an edit is used even while the focus
    // is still in its field.
    rt::Update(0);
    const int32_t pressed = rt::ShowBox(ComposedBox());
    // A box that failed (0) or an answer that is no button is not reported.
    if (const std::string report = rt::PressedReport(pressed); !report.empty()) ShowReport(report);
  }
  return WindowController::OnAccepted();
}

}  // namespace quibra
