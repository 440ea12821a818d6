#pragma once
// MessageBoxA on Linux: a QMessageBox with the buttons, icon, default button
// and modality that the MB_* flags ask for, answered with the ID* value of
// the button pressed. The buttons stand in the Windows order with the
// Windows captions. Escape and the close box give what Windows gives: Cancel
// where there is a Cancel button, OK in an OK-only box; otherwise Escape does
// nothing and the close box is disabled. Ctrl+C copies the whole box to the
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
  // Shows the box until the user answers it; the ID* value of the answer.
  int32_t Run();
  // What Escape and the close box answer: an ID* value, or 0 for nothing.
  int32_t EscapeResult() const { return escapeResult_; }
  // What Ctrl+C puts on the clipboard.
  std::string ClipboardText() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct Choice {
    QPushButton* button;
    int32_t id;
    std::string caption;
  };
  std::vector<Choice> choices_;
  int32_t escapeResult_ = 0;
  std::string text_;
  std::string caption_;
};

}  // namespace qtbackend
