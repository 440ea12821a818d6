// The user's side of a native window: Qt's input turned into the runtime
// window's input and events.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "backends/qt/AnsiText.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/KeyCodes.h"
#include "backends/qt/NativeWindow.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace qtbackend {
namespace {

using rt::ControlKind;
constexpr int32_t kKeep = rt::Window::KeepKeyCode;

}  // namespace

void NativeWindow::Post(int32_t event, int32_t control, int32_t keyCode) {
  if (window_) window_->Post(event, control, keyCode);
}

void NativeWindow::SetTimer(int32_t milliseconds) {
  if (milliseconds <= 0) {
    if (timer_) timer_->stop();
    return;
  }
  if (!timer_) {
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { Post(rt::EventTimer, 0, rt::Window::KeepKeyCode); });
  }
  timer_->start(milliseconds);
}

// An edit is accepted when the focus leaves its control, as Windows does.
void NativeWindow::AcceptPendingEdit(int32_t except) {
  if (pendingEdit_ == 0 || pendingEdit_ == except) return;
  const int32_t edited = pendingEdit_;
  pendingEdit_ = 0;
  Post(rt::EventControlAccepted, edited, lastKey_);
}

void NativeWindow::UserEdited(int32_t control, const QString& text) {
  if (!window_ || applying_) return;
  window_->EnterText(control, ToAnsi(text));
  pendingEdit_ = control;
}

void NativeWindow::UserChoseRadio(int32_t radio) {
  if (!window_ || applying_) return;
  if (window_->ChooseRadio(radio)) Post(rt::EventControlAccepted, window_->GroupOf(radio), lastKey_);
  Applying applying(*this);
  SyncGroup(window_->GroupOf(radio));
}

void NativeWindow::UserChecked(int32_t control, bool on) {
  if (!window_ || applying_) return;
  if (on != (rt::ToNumber(window_->Contents(control)) != 0) && window_->ToggleCheck(control))
    Post(rt::EventControlAccepted, control, lastKey_);
  Sync(control);
}

void NativeWindow::UserPressed(int32_t control) {
  if (!window_ || applying_) return;
  Post(rt::EventControlAccepted, control, lastKey_);
}

void NativeWindow::UserSelectedRow(int32_t control, int row) {
  if (!window_ || applying_ || row < 0) return;
  {
    Applying applying(*this);
    window_->SetProperty(control, rt::PropListSelection, 0, rt::Value(row + 1));
  }
  Post(rt::EventSelectionChanged, control, lastKey_);
}

void NativeWindow::FocusMoved(QWidget* now) {
  if (!window_ || applying_) return;
  const int32_t control = ControlOf(now);
  if (control == 0 || control == window_->Focus()) return;
  AcceptPendingEdit(control);
  window_->MoveFocus(control);
  Post(rt::EventControlSelected, control, kKeep);
}

bool NativeWindow::PressDefault() {
  const int32_t focused = ControlOf(QApplication::focusWidget());
  const rt::ControlDef* def = window_->Control(focused);
  if (def && def->kind == ControlKind::Button) {
    static_cast<QAbstractButton*>(ControlWidget(focused))->click();
    return true;
  }
  for (const rt::ControlDef& c : window_->Def().controls) {
    auto* button = qobject_cast<QPushButton*>(ControlWidget(c.number));
    if (c.kind == ControlKind::Button && button && button->isDefault() && button->isVisible() && button->isEnabled()) {
      button->click();
      return true;
    }
  }
  // Without a default button, Enter accepts the entry being edited.
  if (def && (def->kind == ControlKind::Entry || def->kind == ControlKind::Spin)) {
    pendingEdit_ = 0;
    Post(rt::EventControlAccepted, focused, rt::KeyEnter);
    return true;
  }
  return false;
}

bool NativeWindow::MoveWithinGroup(int32_t radio, int step) {
  const std::vector<int32_t> radios = RadiosOf(window_->GroupOf(radio));
  auto at = std::find(radios.begin(), radios.end(), radio);
  if (at == radios.end()) return false;
  const int count = static_cast<int>(radios.size());
  int index = static_cast<int>(at - radios.begin());
  // The next visible radio, round the group as Windows goes.
  for (int tries = 0; tries < count; ++tries) {
    index = (index + step + count) % count;
    QWidget* next = ControlWidget(radios[index]);
    if (next && next->isVisible() && next->isEnabled()) {
      next->setFocus(Qt::TabFocusReason);
      static_cast<QAbstractButton*>(next)->click();
      return true;
    }
  }
  return false;
}

bool NativeWindow::Alerted(int32_t control, int32_t code) const {
  for (int32_t i = 1; i <= 255; ++i)
    if (window_->GetProperty(control, rt::PropAlertedKeys, i).Number() == code) return true;
  return false;
}

void NativeWindow::CopyBox() const {
  const rt::MessageBoxInfo* box = window_ ? window_->BoxInfo() : nullptr;
  if (!box) return;
  std::string text;
  for (std::size_t i = 0; i < box->lines.size(); ++i) text += (i ? "\n" : "") + box->lines[i];
  std::vector<std::string> captions;
  for (const rt::MessageBoxInfo::Button& b : box->shown) captions.push_back(b.caption);
  QGuiApplication::clipboard()->setText(FromAnsi(BoxClipboardText(box->caption, text, captions)));
}

bool NativeWindow::eventFilter(QObject* watched, QEvent* e) {
  if (!window_) return false;
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      lastKey_ = static_cast<QMouseEvent*>(e)->button() == Qt::RightButton ? rt::KeyMouseRight : rt::KeyMouseLeft;
      return false;
    case QEvent::MouseButtonDblClick:
      lastKey_ =
          static_cast<QMouseEvent*>(e)->button() == Qt::RightButton ? rt::KeyMouseRightDouble : rt::KeyMouseLeftDouble;
      return false;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->matches(QKeySequence::Copy) && window_->BoxInfo()) {
        CopyBox();
        return true;
      }
      const int32_t code = KeyCodeOf(key->key());
      if (code == 0) return false;
      lastKey_ = code;
      const int32_t control = ControlOf(watched);
      if (control && Alerted(control, code)) {
        Post(rt::EventAlertedKey, control, code);
        return true;
      }
      rt::SetKeyCode(code);
      const rt::ControlDef* def = window_->Control(control);
      if (def && def->kind == ControlKind::Radio && key->modifiers() == Qt::NoModifier) {
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up) return MoveWithinGroup(control, -1);
        if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down) return MoveWithinGroup(control, +1);
      }
      return false;
    }
    default:
      return false;
  }
}

void NativeWindow::keyPressEvent(QKeyEvent* e) {
  if (!window_) return;
  const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
    lastKey_ = rt::KeyEnter;
    if (PressDefault()) return;
  } else if (plain && e->key() == Qt::Key_Escape) {
    // Escape asks to close, as the close box does; the program decides.
    Post(rt::EventCloseRequested, 0, rt::KeyEscape);
    return;
  } else if (e->matches(QKeySequence::Copy) && window_->BoxInfo()) {
    CopyBox();
    return;
  }
  QWidget::keyPressEvent(e);
}

void NativeWindow::closeEvent(QCloseEvent* e) {
  // The window closes when the runtime closes it, if the program agrees.
  e->ignore();
  Post(rt::EventCloseRequested, 0, kKeep);
}

bool NativeWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    // The first activation is the window's opening, which the runtime has
    // already announced.
    if (window_ && activatedBefore_) Post(rt::EventFocusGained, 0, kKeep);
    activatedBefore_ = true;
  } else if (e->type() == QEvent::WindowDeactivate && window_ && presented_) {
    // Nothing typed is lost while the user is away.
    AcceptPendingEdit(0);
    Post(rt::EventFocusLost, 0, kKeep);
  }
  return QWidget::event(e);
}

void NativeWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (presented_ && size() != lastSize_) Post(rt::EventWindowResized, 0, kKeep);
  lastSize_ = size();
}

}  // namespace qtbackend
