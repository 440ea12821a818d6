#pragma once
// The scripted user of the Qt backend's tests and of the screenshot tool.
// Steps queue up in order; each is taken when the window it names waits for
// the user (a runtime window whose event loop waits, or a native message
// box), and acts on the real widgets with Qt's test input: clicks, typing,
// keys. A step whose window never comes, or a window that waits when the
// script has no step left, ends the program with a message naming both,
// instead of hanging.
#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QTimer;

namespace qt_test {

// The window waiting for the user right now, or null.
QWidget* WaitingWindow();
// True for a native message box and for the runtime's own box.
bool IsMessageBox(const QWidget* window);
// A control's widget in a runtime window (found by its object name, the
// control number); fails the test and gives null when there is none.
QWidget* ControlWidget(QWidget* window, int32_t control);
// The shown buttons of a message box, left to right, as captioned.
std::vector<QString> BoxButtons(QWidget* box);
// Says what a window is, for failure messages.
std::string Describe(const QWidget* window);

class QtUser {
 public:
  using Act = std::function<void(QWidget* window)>;

  // The general step: `act` runs on the waiting window once its title is
  // `title` (an empty title takes any window); `box` steps wait for a
  // message box, the others for a runtime window that is not one.
  QtUser& In(const QString& title, bool box, std::string what, Act act);

  // Runtime windows.
  QtUser& Click(const QString& title, int32_t control);
  QtUser& Type(const QString& title, int32_t control, const QString& text);  // replaces the contents
  QtUser& Key(const QString& title, int32_t control, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  QtUser& Close(const QString& title);  // the close box
  QtUser& Look(const QString& title, Act look);

  // Message boxes, native or the runtime's.
  QtUser& Answer(const QString& button);  // the caption without its access mark
  QtUser& BoxKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  QtUser& CloseBox();
  QtUser& LookAtBox(Act look);

  std::vector<std::string> Remaining() const;
  void Clear();

 private:
  struct Step {
    QString title;
    bool box;
    std::string what;
    Act act;
  };
  friend QtUser& User();
  QtUser();
  void Tick();
  [[noreturn]] void Fail(const std::string& why) const;

  std::deque<Step> steps_;
  QTimer* timer_;
  std::chrono::steady_clock::time_point lastProgress_;
};

// The one scripted user.
QtUser& User();

}  // namespace qt_test
