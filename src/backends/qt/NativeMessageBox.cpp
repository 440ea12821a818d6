#include "backends/qt/NativeMessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QThread>

#include "backends/qt/AnsiText.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/QtApplication.h"

namespace qtbackend {
namespace {

struct Face {
  const char* caption;
  int32_t id;
};

// The buttons of each MessageBoxA type, left to right.
std::vector<Face> FacesOf(os::UINT type) {
  switch (type) {
    case os::MB_OK:
      return {{"OK", os::IDOK}};
    case os::MB_OKCANCEL:
      return {{"OK", os::IDOK}, {"Cancel", os::IDCANCEL}};
    case os::MB_ABORTRETRYIGNORE:
      return {{"&Abort", os::IDABORT}, {"&Retry", os::IDRETRY}, {"&Ignore", os::IDIGNORE}};
    case os::MB_YESNOCANCEL:
      return {{"&Yes", os::IDYES}, {"&No", os::IDNO}, {"Cancel", os::IDCANCEL}};
    case os::MB_YESNO:
      return {{"&Yes", os::IDYES}, {"&No", os::IDNO}};
    case os::MB_RETRYCANCEL:
      return {{"&Retry", os::IDRETRY}, {"Cancel", os::IDCANCEL}};
  }
  return {};
}

QMessageBox::Icon IconOf(os::UINT flags) {
  switch (flags & os::MB_ICONMASK) {
    case os::MB_ICONHAND:
      return QMessageBox::Critical;
    case os::MB_ICONQUESTION:
      return QMessageBox::Question;
    case os::MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case os::MB_ICONASTERISK:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// Line ends as the user's text has them: CR LF or a lone CR become one break.
std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
  }
  return out;
}

int32_t Show(os::HWND owner, const char* text, const char* caption, os::UINT flags) {
  QWidget* ownerWidget = owner ? QWidget::find(reinterpret_cast<WId>(owner)) : nullptr;
  // A missing caption is titled "Error", as Windows titles it.
  NativeMessageBox box(ownerWidget ? ownerWidget->window() : nullptr, text ? text : "", caption ? caption : "Error",
                       flags);
  return box.Valid() ? box.Run() : 0;
}

}  // namespace

NativeMessageBox::NativeMessageBox(QWidget* owner, const std::string& text, const std::string& caption, os::UINT flags)
    : QMessageBox(owner), text_(WithLineFeeds(text)), caption_(caption) {
  setObjectName(QStringLiteral("MessageBoxA"));
  setTextFormat(Qt::PlainText);
  setText(FromAnsi(text_));
  setWindowTitle(FromAnsi(caption_));
  setIcon(IconOf(flags));
  // The runtime's windows under the box take no input while it is shown. A
  // system-modal box also stays above every other window: X11 has no
  // modality across programs.
  setWindowModality(Qt::ApplicationModal);
  if (flags & os::MB_SYSTEMMODAL) setWindowFlag(Qt::WindowStaysOnTopHint, true);

  for (const Face& face : FacesOf(flags & os::MB_TYPEMASK)) {
    // One role for all keeps the buttons in the order they are added.
    QPushButton* button = addButton(QString::fromLatin1(face.caption), QMessageBox::ActionRole);
    choices_.push_back({button, face.id, face.caption});
  }
  if (choices_.empty()) return;

  std::size_t defaultIndex = (flags & os::MB_DEFMASK) >> 8;
  if (defaultIndex >= choices_.size()) defaultIndex = 0;
  setDefaultButton(choices_[defaultIndex].button);

  for (const Choice& c : choices_)
    if (c.id == os::IDCANCEL) escapeResult_ = os::IDCANCEL;
  if (!escapeResult_ && choices_.size() == 1 && choices_[0].id == os::IDOK) escapeResult_ = os::IDOK;
  for (const Choice& c : choices_)
    if (c.id == escapeResult_) setEscapeButton(c.button);
  if (!escapeResult_) setWindowFlag(Qt::WindowCloseButtonHint, false);
}

int32_t NativeMessageBox::Run() {
  exec();
  ActivateTopWindow();
  QAbstractButton* pressed = clickedButton();
  for (const Choice& c : choices_)
    if (c.button == pressed) return c.id;
  return 0;
}

std::string NativeMessageBox::ClipboardText() const {
  std::vector<std::string> captions;
  for (const Choice& c : choices_) captions.push_back(c.caption);
  return BoxClipboardText(caption_, text_, captions);
}

void NativeMessageBox::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(FromAnsi(ClipboardText()));
    return;
  }
  if (e->key() == Qt::Key_Escape && !escapeResult_) return;
  QMessageBox::keyPressEvent(e);
}

void NativeMessageBox::closeEvent(QCloseEvent* e) {
  if (!escapeResult_) {
    e->ignore();
    return;
  }
  QMessageBox::closeEvent(e);
}

}  // namespace qtbackend

namespace os {

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags) {
  // Widgets live on the thread that made the application; a box asked for
  // on another thread is shown there, and this thread waits for the answer.
  QCoreApplication* app = QCoreApplication::instance();
  if (app && QThread::currentThread() != app->thread()) {
    int32_t result = 0;
    QMetaObject::invokeMethod(
        app, [&] { result = qtbackend::Show(owner, text, caption, flags); }, Qt::BlockingQueuedConnection);
    return result;
  }
  qtbackend::EnsureApplication();
  return qtbackend::Show(owner, text, caption, flags);
}

}  // namespace os
