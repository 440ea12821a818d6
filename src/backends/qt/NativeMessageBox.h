#pragma once
// MessageBoxA on Linux: a QMessageBox with the buttons, icon, default button
// and modality that the MB_* flags ask for, answered with the ID* value of
// the button pressed. The buttons, their order and captions, and what Escape
// and the close box answer are the box rules every drawer keeps
// (runtime/BoxRules.h). Long lines wrap as in every box; a text taller than
// the screen scrolls. Ctrl+C copies the whole box to the
// clipboard (BoxClipboard.h), as the Windows box does.
#include <QMessageBox>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32Api.h"

namespace qtbackend {

class NativeMessageBox : public QMessageBox {
 public:
  // `text` and `caption` are the call's bytes (see AnsiText.h).
  NativeMessageBox(QWidget* owner, const std::string& text, const std::string& caption, os::UINT flags);

  // False when the flags name a button set that Windows does not know: the
  // call fails and shows nothing.
  bool Valid() const { return !choices_.empty(); }
  // Counts `seconds` down on the default button, from when the box is shown,
  // and presses it when they have run out.
  void CountDown(int32_t seconds);
  // Shows the box until the user answers it; the ID* value of the answer, or
  // MB_TIMEDOUT when the countdown pressed the default button.
  int32_t Run();
  // What Escape and the close box answer: an ID* value, or 0 for nothing.
  int32_t EscapeResult() const { return escapeResult_; }
  // What Ctrl+C puts on the clipboard.
  std::string ClipboardText() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void ScrollLongText();

  struct Choice {
    QPushButton* button;
    int32_t id;
    std::string caption;
  };
  std::vector<Choice> choices_;
  std::size_t defaultIndex_ = 0;
  int32_t secondsLeft_ = 0;
  bool timedOut_ = false;
  int32_t escapeResult_ = 0;
  std::string text_;
  std::string caption_;
};

// MessageBoxA on Linux, installed behind the platform's call at start: the
// box is shown on the application's thread whichever thread asks for it.
int32_t ShowMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags);
// The same with a countdown (Win32Calls::countdownMessageBox).
int32_t ShowCountdownMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags,
                                 os::UINT seconds);

}  // namespace qtbackend
