#pragma once
// The native box on Linux: a QMessageBox. It shows MessageBoxA's boxes (the
// buttons, icon, default button and modality that the MB_* flags ask for,
// answered with the ID* value of the button pressed), and the command line's
// whole requests (the caller's captions and added buttons, markup rendered,
// details, a check box, the desktop's themed icons). The buttons, their order
// and access keys, and what Escape and the close box answer are the box rules
// every drawer keeps (runtime/BoxRules.h); a button the caller did not name
// reads as the desktop's do (PlatformCaptions.h). Long lines wrap once, as in every
// box; a text taller than the screen scrolls. Ctrl+C copies the whole box to
// the clipboard (BoxClipboard.h), as the Windows box does.
#include <QMessageBox>
#include <cstdint>
#include <string>
#include <vector>

#include "backends/qt/CaptionButton.h"
#include "platform/Win32Api.h"
#include "runtime/MessageBox.h"

class QCheckBox;
class QLabel;

namespace qtbackend {

class NativeMessageBox : public QMessageBox {
 public:
  // `request`'s texts are the program's bytes (see AnsiText.h).
  NativeMessageBox(QWidget* owner, const rt::BoxRequest& request);

  // Counts `seconds` down on the default button, from when the box is shown,
  // and presses it when they have run out.
  void CountDown(int32_t seconds);
  // Shows the box until the user answers it: the pressed button's ButtonSet
  // value (rt::BoxTimedOut when the countdown pressed the default button,
  // the escape value for Escape and the close box), and the check box.
  rt::BoxAnswer Run();
  // What Escape and the close box answer: a ButtonSet value, or 0 for nothing.
  int32_t EscapeValue() const { return escapeValue_; }
  // What Ctrl+C puts on the clipboard.
  std::string ClipboardText() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void ShowText(const rt::BoxRequest& request);
  void ShowIcons(const rt::BoxRequest& request);
  void FitText();
  void ScrollLongText();
  // Escape answers a button the box shows (else a Cancel it does not show).
  bool EscapeShown() const {
    for (const Choice& c : choices_)
      if (c.value == escapeValue_) return true;
    return false;
  }

  struct Choice {
    CaptionButton* button;
    int32_t value;
    QString caption;  // as the button shows it when not counting down
  };
  std::vector<Choice> choices_;
  std::size_t defaultIndex_ = 0;
  int32_t secondsLeft_ = 0;
  bool timedOut_ = false;
  bool escaped_ = false;
  bool wrapsItself_ = false;  // rich text, wrapped by the label
  bool fitting_ = false;
  int32_t escapeValue_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  QLabel* label_ = nullptr;
  QCheckBox* checkBox_ = nullptr;
  std::string text_;
  std::string caption_;
};

// MessageBoxA on Linux, installed behind the platform's call at start: the
// box is shown on the application's thread whichever thread asks for it.
int32_t ShowMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags);
// The same with a countdown (Win32Calls::countdownMessageBox).
int32_t ShowCountdownMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags,
                                 os::UINT seconds);
// The command line's box, with its whole request.
rt::BoxAnswer ShowRequestBox(const rt::BoxRequest& request);

}  // namespace qtbackend
