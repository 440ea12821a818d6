#include "backends/qt/NativeMessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "backends/qt/AnsiText.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/QtApplication.h"
#include "runtime/BoxRules.h"

namespace qtbackend {
namespace {

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

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}

int32_t Show(os::HWND owner, const char* text, const char* caption, os::UINT flags, os::UINT seconds) {
  QWidget* ownerWidget = owner ? QWidget::find(reinterpret_cast<WId>(owner)) : nullptr;
  // A missing caption is titled "Error", as Windows titles it.
  NativeMessageBox box(ownerWidget ? ownerWidget->window() : nullptr, text ? text : "", caption ? caption : "Error",
                       flags);
  if (!box.Valid()) return 0;
  box.CountDown(static_cast<int32_t>(std::min<os::UINT>(seconds, INT32_MAX)));
  return box.Run();
}

// Widgets live on the thread that made the application; a box asked for on
// another thread is shown there, and this thread waits for the answer.
int32_t ShowOnApplicationThread(os::HWND owner, const char* text, const char* caption, os::UINT flags,
                                os::UINT seconds) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app && QThread::currentThread() != app->thread()) {
    int32_t result = 0;
    QMetaObject::invokeMethod(
        app, [&] { result = Show(owner, text, caption, flags, seconds); }, Qt::BlockingQueuedConnection);
    return result;
  }
  EnsureApplication();
  return Show(owner, text, caption, flags, seconds);
}

}  // namespace

NativeMessageBox::NativeMessageBox(QWidget* owner, const std::string& text, const std::string& caption, os::UINT flags)
    : QMessageBox(owner), text_(Joined(rt::SplitLineEnds(text))), caption_(caption) {
  setObjectName(QStringLiteral("MessageBoxA"));
  setTextFormat(Qt::PlainText);
  // Long lines wrap as in every box; the clipboard keeps them whole.
  setText(FromAnsi(Joined(rt::WrapLines(rt::SplitLineEnds(text), rt::kBoxWrapColumns))));
  setWindowTitle(FromAnsi(caption_));
  setIcon(IconOf(flags));
  // The runtime's windows under the box take no input while it is shown. A
  // system-modal box also stays above every other window: X11 has no
  // modality across programs.
  setWindowModality(Qt::ApplicationModal);
  if (flags & os::MB_SYSTEMMODAL) setWindowFlag(Qt::WindowStaysOnTopHint, true);

  const int32_t set = rt::ButtonSetOfType(flags & os::MB_TYPEMASK);
  for (const rt::BoxButton& b : rt::ButtonsOf(set)) {
    // One role for all keeps the buttons in the order they are added.
    QPushButton* button = addButton(QString::fromLatin1(b.caption), QMessageBox::ActionRole);
    choices_.push_back({button, b.nativeId, b.caption});
  }
  if (choices_.empty()) return;

  defaultIndex_ = rt::NativeDefaultPlace(flags, choices_.size());
  setDefaultButton(choices_[defaultIndex_].button);

  escapeResult_ = rt::NativeIdOfButton(rt::EscapeValue(set));
  for (const Choice& c : choices_)
    if (c.id == escapeResult_) setEscapeButton(c.button);
  if (!escapeResult_) setWindowFlag(Qt::WindowCloseButtonHint, false);
  ScrollLongText();
}

// A text taller than the screen's work area leaves room for the title bar
// and the buttons, and scrolls with the keyboard and the wheel.
void NativeMessageBox::ScrollLongText() {
  auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!label || !screen || !layout()) return;
  label->setWordWrap(false);             // the lines come wrapped
  constexpr int kTitleAndButtons = 140;  // pixels: the frame, the margins and the row of buttons
  const int room = std::max(label->fontMetrics().height() * 3, screen->availableGeometry().height() - kTitleAndButtons);
  if (label->sizeHint().height() <= room) return;
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("MessageBoxA.scroll"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFocusPolicy(Qt::StrongFocus);
  delete layout()->replaceWidget(label, scroll);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroll->setWidget(label);
  scroll->setFixedSize(label->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width(), room);
}

void NativeMessageBox::CountDown(int32_t seconds) {
  if (seconds <= 0 || choices_.empty()) return;
  secondsLeft_ = seconds;
  auto show = [this] {
    const Choice& choice = choices_[defaultIndex_];
    choice.button->setText(QString::fromLatin1(rt::CountdownCaption(choice.caption, secondsLeft_)));
  };
  show();
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this, timer, show] {
    if (--secondsLeft_ > 0) return show();
    timer->stop();
    timedOut_ = true;
    choices_[defaultIndex_].button->click();
  });
  timer->start(1000);
}

int32_t NativeMessageBox::Run() {
  exec();
  ActivateTopWindow();
  if (timedOut_) return os::MB_TIMEDOUT;
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

int32_t ShowMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags) {
  return ShowOnApplicationThread(owner, text, caption, flags, 0);
}

int32_t ShowCountdownMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags,
                                 os::UINT seconds) {
  return ShowOnApplicationThread(owner, text, caption, flags, seconds);
}

}  // namespace qtbackend
