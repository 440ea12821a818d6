#include "backends/qt/NativeMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <climits>

#include "backends/qt/AnsiText.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/BoxWindowFlags.h"
#include "backends/qt/CaptionButton.h"
#include "backends/qt/PlatformCaptions.h"
#include "backends/qt/QtApplication.h"
#include "runtime/Backend.h"
#include "runtime/BoxMarkup.h"
#include "runtime/BoxRules.h"
#include "runtime/Text.h"

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

QMessageBox::Icon IconOfCode(const std::string& icon) { return IconOf(rt::IconFlag(icon)); }

// MessageBoxA's call as a request: its text broken at line ends only, the
// default button as the place its flags name.
rt::BoxRequest RequestOfCall(const char* text, const char* caption, os::UINT flags) {
  rt::BoxRequest r;
  r.text = text ? text : "";
  // A missing caption is titled "Error", as Windows titles it.
  r.caption = caption ? caption : "Error";
  r.markup = rt::BoxMarkup::Plain;
  r.icon = rt::IconOfFlag(flags);
  r.buttons = rt::ButtonSetOfType(flags & os::MB_TYPEMASK);
  const std::size_t place = rt::NativeDefaultPlace(flags, rt::ButtonsOf(r.buttons).size());
  r.defaultButton = place == 0 ? 0 : static_cast<int32_t>(place) + 1;
  r.style = (flags & os::MB_SYSTEMMODAL) ? 1 : 0;
  return r;
}

// Widgets live on the thread that made the application; a box asked for on
// another thread is shown there, and this thread waits for the answer.
template <class Show>
auto OnApplicationThread(Show show) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app && QThread::currentThread() != app->thread()) {
    decltype(show()) result{};
    QMetaObject::invokeMethod(
        app, [&] { result = show(); }, Qt::BlockingQueuedConnection);
    return result;
  }
  EnsureApplication();
  return show();
}

int32_t ShowCall(os::HWND owner, const char* text, const char* caption, os::UINT flags, os::UINT seconds) {
  // A set that Windows does not know fails the call and shows nothing.
  if (rt::ButtonSetOfType(flags & os::MB_TYPEMASK) == 0) return 0;
  return OnApplicationThread([&] {
    QWidget* ownerWidget = owner ? QWidget::find(reinterpret_cast<WId>(owner)) : nullptr;
    NativeMessageBox box(ownerWidget ? ownerWidget->window() : nullptr, RequestOfCall(text, caption, flags));
    box.CountDown(static_cast<int32_t>(std::min<os::UINT>(seconds, INT32_MAX)));
    const int32_t answer = box.Run().button;
    return answer == rt::BoxTimedOut ? os::MB_TIMEDOUT : rt::NativeIdOfButton(answer);
  });
}

// The standard icon a name of zenity's --window-icon stands for, a file, or
// the desktop's themed icon of that name.
QIcon WindowIconNamed(const std::string& name) {
  const QStyle::StandardPixmap standard[] = {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
                                             QStyle::SP_MessageBoxQuestion, QStyle::SP_MessageBoxCritical};
  const char* names[] = {"info", "warning", "question", "error"};
  for (std::size_t i = 0; i < 4; ++i)
    if (name == names[i]) return QApplication::style()->standardIcon(standard[i]);
  const QString named = FromAnsi(name);
  if (QFileInfo::exists(named)) return QIcon(named);
  return QIcon::fromTheme(named);
}

}  // namespace

NativeMessageBox::NativeMessageBox(QWidget* owner, const rt::BoxRequest& request)
    : QMessageBox(owner), caption_(request.captionOmitted ? std::string() : request.caption) {
  setObjectName(QStringLiteral("MessageBoxA"));
  setWindowTitle(FromAnsi(caption_));
  ShowIcons(request);
  // The runtime's windows under the box take no input while it is shown.
  setWindowModality(Qt::ApplicationModal);
  width_ = request.width;
  height_ = request.height;

  const std::vector<rt::ShownButton> shown = rt::ButtonsOf(request, true);
  const std::vector<QString> captions = NativeCaptions(request, shown);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    // One role for all keeps the buttons in the order they are added.
    auto* button = new CaptionButton(captions[i], this);
    addButton(button, QMessageBox::ActionRole);
    choices_.push_back({button, shown[i].value, captions[i]});
  }
  defaultIndex_ = rt::DefaultPlace(shown, request.defaultButton);
  setDefaultButton(choices_[defaultIndex_].button);
  escapeValue_ = rt::EscapeValue(request, shown);
  for (const Choice& c : choices_)
    if (c.value == escapeValue_) setEscapeButton(c.button);
  setWindowFlags(BoxWindowFlags(escapeValue_ != 0, request.style != 0));
  if (!request.details.empty()) setDetailedText(FromAnsi(rt::ReadMarkup(request.details, rt::BoxMarkup::Html).plain));
  if (!request.checkBox.empty()) {
    checkBox_ = new QCheckBox(FromAnsi(request.checkBox), this);
    setCheckBox(checkBox_);
  }
  ShowText(request);
  ScrollLongText();
}

// The text wraps once, at the box rules' columns: the lines come wrapped, or
// rich text wraps itself within as wide a label; Qt's own wrapping of a
// message box's label (at half the screen) is turned off when it shows.
void NativeMessageBox::ShowText(const rt::BoxRequest& request) {
  const bool icon = rt::IconFlag(request.icon) != 0 || !request.themedIcon.empty();
  const rt::BoxTextArea area = rt::TextAreaOf(request, rt::CurrentBackend().WorkArea(), icon);
  const std::vector<std::string> lines = rt::TextLines(request, area.columns);
  text_ = Joined(lines);
  label_ = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  const bool rich = (request.markup == rt::BoxMarkup::Pango || request.markup == rt::BoxMarkup::Html) &&
                    request.wrap != rt::BoxWrap::Ellipsize;
  const rt::MarkedText marked = rich ? rt::ReadMarkup(request.text, request.markup) : rt::MarkedText{};
  if (rich && marked.valid) {
    setTextFormat(Qt::RichText);
    const char* space = request.markup == rt::BoxMarkup::Html ? "normal"
                        : request.wrap == rt::BoxWrap::NoWrap ? "pre"
                                                              : "pre-wrap";
    // Qt wraps a label's rich text only between <br>s, not at line ends.
    QString html = FromAnsi(marked.html);
    if (request.markup == rt::BoxMarkup::Pango) html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    setText(QStringLiteral("<p style=\"white-space:%1\">%2</p>").arg(QLatin1String(space), html));
    // Rich text wraps itself, in a label as wide as the columns.
    wrapsItself_ = request.wrap == rt::BoxWrap::Wrap;
    if (label_ && wrapsItself_)
      label_->setMaximumWidth(static_cast<int>(area.columns) * label_->fontMetrics().averageCharWidth());
  } else {
    setTextFormat(Qt::PlainText);
    setText(FromAnsi(text_));
  }
}

void NativeMessageBox::ShowIcons(const rt::BoxRequest& request) {
  setIcon(IconOfCode(request.icon));
  // A screen reader says what the icon means, as for the runtime's box.
  if (auto* icon = findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
    icon->setAccessibleName(QString::fromLatin1(rt::IconName(rt::Clip(request.icon))));
  if (!request.themedIcon.empty()) {
    const QIcon themed = QIcon::fromTheme(FromAnsi(request.themedIcon));
    // Where the desktop has no such icon, the box keeps its own.
    if (!themed.isNull())
      setIconPixmap(themed.pixmap(style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this)));
  }
  if (!request.windowIcon.empty()) setWindowIcon(WindowIconNamed(request.windowIcon));
}

// Qt sizes a message box again on each layout request, wrapping its label
// at half the screen; the box's own size is set after it, each time.
void NativeMessageBox::showEvent(QShowEvent* e) {
  QMessageBox::showEvent(e);
  FitText();
}

bool NativeMessageBox::event(QEvent* e) {
  const bool result = QMessageBox::event(e);
  if (e->type() == QEvent::LayoutRequest && isVisible()) FitText();
  return result;
}

void NativeMessageBox::FitText() {
  if (fitting_) return;
  fitting_ = true;
  if (label_ && !label_->parentWidget()->inherits("QScrollArea")) {
    label_->setWordWrap(wrapsItself_);
    layout()->activate();
    const int width = std::max(layout()->totalMinimumSize().width(), width_);
    const int height =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : layout()->totalMinimumSize().height();
    setFixedSize(width, std::max(height, height_));
  } else if (width_ > 0 || height_ > 0) {
    setFixedSize(std::max(this->width(), width_), std::max(this->height(), height_));
  }
  QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
  fitting_ = false;
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
  // The button is read by its caption throughout, the seconds in its
  // description.
  auto show = [this, seconds] {
    const Choice& choice = choices_[defaultIndex_];
    choice.button->SetDrawnText(FromAnsi(rt::CountdownCaption(ToAnsi(choice.caption), secondsLeft_)));
    if (const std::string said = rt::CountdownDescription(seconds, secondsLeft_); !said.empty())
      choice.button->setAccessibleDescription(FromAnsi(said));
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

rt::BoxAnswer NativeMessageBox::Run() {
  exec();
  ActivateTopWindow();
  const bool checked = checkBox_ && checkBox_->isChecked();
  if (timedOut_) return {rt::BoxTimedOut, checked};
  if (escaped_) return {escapeValue_, checked};
  QAbstractButton* pressed = clickedButton();
  for (const Choice& c : choices_)
    if (c.button == pressed) return {c.value, checked};
  // Escape and the close box, where the dialog tools' rule answers them with
  // a Cancel that the box does not show.
  return {escapeValue_, checked};
}

std::string NativeMessageBox::ClipboardText() const {
  std::vector<std::string> captions;
  for (const Choice& c : choices_) captions.push_back(ToAnsi(c.caption));
  return BoxClipboardText(caption_, text_, captions);
}

void NativeMessageBox::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(FromAnsi(ClipboardText()));
    return;
  }
  if (e->key() == Qt::Key_Escape && !escapeValue_) return;
  if (e->key() == Qt::Key_Escape && !EscapeShown()) {
    escaped_ = true;
    QDialog::reject();
    return;
  }
  QMessageBox::keyPressEvent(e);
}

void NativeMessageBox::closeEvent(QCloseEvent* e) {
  if (!escapeValue_) {
    e->ignore();
    return;
  }
  if (!EscapeShown()) {
    escaped_ = true;
    QDialog::closeEvent(e);
    return;
  }
  QMessageBox::closeEvent(e);
}

int32_t ShowMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags) {
  return ShowCall(owner, text, caption, flags, 0);
}

int32_t ShowCountdownMessageBoxA(os::HWND owner, const char* text, const char* caption, os::UINT flags,
                                 os::UINT seconds) {
  return ShowCall(owner, text, caption, flags, seconds);
}

rt::BoxAnswer ShowRequestBox(const rt::BoxRequest& request) {
  return OnApplicationThread([&] {
    NativeMessageBox box(nullptr, request);
    // A box that belongs to another program's window stands over it.
    if (request.parentWindow && QGuiApplication::platformName() == QLatin1String("xcb")) {
      box.winId();
      if (QWindow* parent = QWindow::fromWinId(static_cast<WId>(request.parentWindow)))
        box.windowHandle()->setTransientParent(parent);
    }
    box.CountDown(request.timeout);
    return box.Run();
  });
}

}  // namespace qtbackend
