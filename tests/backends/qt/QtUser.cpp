#include "QtUser.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "WindowChecks.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/CaptionButton.h"
#include "backends/qt/NativeMessageBox.h"
#include "backends/qt/NativeWindow.h"
#include "backends/qt/QtBackend.h"
#include "runtime/Window.h"

namespace qt_test {
namespace {

using qtbackend::CaptionButton;
using qtbackend::NativeMessageBox;
using qtbackend::NativeWindow;

constexpr std::chrono::seconds kPatience{20};

QString Plain(const QString& caption) {
  return QString::fromStdString(qtbackend::WithoutAccessKeys(caption.toStdString()));
}

}  // namespace

bool IsMessageBox(const QWidget* window) {
  if (dynamic_cast<const NativeMessageBox*>(window)) return true;
  auto* native = dynamic_cast<const NativeWindow*>(window);
  return native && native->RuntimeWindow() && native->RuntimeWindow()->BoxInfo();
}

QWidget* WaitingWindow() {
  // A user acts on a window once it is shown and has the keyboard.
  QWidget* top = QApplication::activeModalWidget();
  if (!top || !top->isVisible() || !top->isActiveWindow()) return nullptr;
  if (auto* box = dynamic_cast<NativeMessageBox*>(top)) return box;
  auto* native = dynamic_cast<NativeWindow*>(top);
  if (!native) return nullptr;
  rt::Window* window = native->RuntimeWindow();
  if (!window || qtbackend::Backend().WaitingWindow() != window || window->QueuedEvents() != 0) return nullptr;
  return native;
}

QWidget* ControlWidget(QWidget* window, int32_t control) {
  auto* native = dynamic_cast<NativeWindow*>(window);
  QWidget* widget = native ? native->ControlWidget(control) : nullptr;
  if (!widget) {
    ADD_FAILURE() << Describe(window) << " has no control " << control;
  }
  return widget;
}

std::vector<QString> BoxButtons(QWidget* box) {
  std::vector<QPushButton*> buttons;
  for (QPushButton* b : box->findChildren<QPushButton*>())
    if (b->isVisible()) buttons.push_back(b);
  std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
  std::vector<QString> captions;
  // What is drawn on each: a countdown included.
  for (QPushButton* b : buttons)
    captions.push_back(dynamic_cast<CaptionButton*>(b) ? static_cast<CaptionButton*>(b)->DrawnText() : b->text());
  return captions;
}

std::string Describe(const QWidget* window) {
  if (!window) return "no window";
  std::string kind = dynamic_cast<const NativeMessageBox*>(window) ? "native message box"
                     : IsMessageBox(window)                        ? "runtime message box"
                                                                   : "window";
  return kind + " '" + window->windowTitle().toStdString() + "'";
}

QtUser& User() {
  static QtUser* user = new QtUser;
  return *user;
}

QtUser::QtUser() : timer_(new QTimer(qApp)) {
  lastProgress_ = std::chrono::steady_clock::now();
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] { Tick(); });
  timer_->start(5);
}

QtUser& QtUser::In(const QString& title, bool box, std::string what, Act act) {
  if (steps_.empty()) lastProgress_ = std::chrono::steady_clock::now();
  steps_.push_back({title, box, std::move(what), std::move(act)});
  return *this;
}

QtUser& QtUser::Click(const QString& title, int32_t control) {
  return In(title, false, "click control " + std::to_string(control), [control](QWidget* w) {
    if (QWidget* c = ControlWidget(w, control)) QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, ClickPoint(c));
  });
}

QtUser& QtUser::Type(const QString& title, int32_t control, const QString& text) {
  return In(title, false, "type '" + text.toStdString() + "' into control " + std::to_string(control),
            [control, text](QWidget* w) {
              QWidget* c = ControlWidget(w, control);
              if (!c) return;
              QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, ClickPoint(c));
              QTest::keyClick(c, Qt::Key_A, Qt::ControlModifier);
              QTest::keyClick(c, Qt::Key_Delete);
              TypeText(c, text);
            });
}

QtUser& QtUser::Key(const QString& title, int32_t control, int key, Qt::KeyboardModifiers modifiers) {
  return In(title, false, "key " + std::to_string(key) + " on control " + std::to_string(control),
            [control, key, modifiers](QWidget* w) {
              QWidget* target = control ? ControlWidget(w, control) : QApplication::focusWidget();
              QTest::keyClick(target ? target : w, static_cast<Qt::Key>(key), modifiers);
            });
}

QtUser& QtUser::Close(const QString& title) {
  return In(title, false, "close the window", [](QWidget* w) { w->close(); });
}

QtUser& QtUser::Look(const QString& title, Act look) { return In(title, false, "look", std::move(look)); }

QtUser& QtUser::Answer(const QString& button) {
  return In({}, true, "answer " + button.toStdString(), [button](QWidget* box) {
    for (QPushButton* b : box->findChildren<QPushButton*>())
      if (b->isVisible() && Plain(b->text()) == button) {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
      }
    ADD_FAILURE() << Describe(box) << " shows no button " << button.toStdString();
  });
}

QtUser& QtUser::BoxKey(int key, Qt::KeyboardModifiers modifiers) {
  return In({}, true, "key " + std::to_string(key) + " in the box", [key, modifiers](QWidget* box) {
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  });
}

QtUser& QtUser::CloseBox() {
  return In({}, true, "close the box", [](QWidget* box) { box->close(); });
}

QtUser& QtUser::LookAtBox(Act look) { return In({}, true, "look at the box", std::move(look)); }

std::vector<std::string> QtUser::Remaining() const {
  std::vector<std::string> left;
  for (const Step& s : steps_) left.push_back(s.what);
  return left;
}

void QtUser::Clear() { steps_.clear(); }

void QtUser::Tick() {
  const auto now = std::chrono::steady_clock::now();
  QWidget* waiting = WaitingWindow();
  if (steps_.empty()) {
    if (!waiting) lastProgress_ = now;
    if (now - lastProgress_ > kPatience) Fail(Describe(waiting) + " waits but the script has no more steps");
    return;
  }
  const Step& step = steps_.front();
  const bool fits =
      waiting && IsMessageBox(waiting) == step.box && (step.title.isEmpty() || waiting->windowTitle() == step.title);
  if (!fits) {
    if (now - lastProgress_ > kPatience)
      Fail("the script expects: " + step.what + " in '" + step.title.toStdString() + "', but " + Describe(waiting) +
           " waits");
    return;
  }
  Step taken = step;
  steps_.pop_front();
  lastProgress_ = now;
  taken.act(waiting);
}

void QtUser::Fail(const std::string& why) const {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  std::fprintf(stderr, "\nscripted user: %s%s%s\n", test ? test->name() : "", test ? ": " : "", why.c_str());
  for (const Step& s : steps_) std::fprintf(stderr, "  step left: %s\n", s.what.c_str());
  std::fflush(stderr);
  std::_Exit(3);
}

}  // namespace qt_test
