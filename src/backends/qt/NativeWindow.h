#pragma once
// The native window of one open runtime window: a Qt window with a widget
// for each control, placed in dialog units of the definition's font. Each
// control widget carries its control number as its object name, so that
// tests and accessibility tools find it. The runtime's changes come in
// through Sync and ApplyFocus; what the user does reaches the runtime window
// as input and queued events (Window.h), never as a call into the program.
#include <QFont>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <map>
#include <vector>

#include "backends/qt/DialogUnits.h"

class QButtonGroup;
class QTimer;

namespace rt {
class Window;
struct ControlDef;
}  // namespace rt

namespace qtbackend {

class NativeWindow : public QWidget {
 public:
  explicit NativeWindow(rt::Window& window);

  // Null once the runtime window has closed.
  rt::Window* RuntimeWindow() const { return window_; }
  // The runtime window is closing: nothing reaches it any more.
  void Detach() { window_ = nullptr; }
  // Places the window (centred on its owner, or on the screen), shows and
  // activates it.
  void Present(QWidget* owner);

  // The runtime changed a control (0: the window's title).
  void Sync(int32_t control);
  void SyncAll();
  // The program moved the focus.
  void ApplyFocus(int32_t control);
  // Posts EventTimer every `milliseconds`; 0 stops it.
  void SetTimer(int32_t milliseconds);
  // Qt moved the focus to `now`, a widget of this window.
  void FocusMoved(QWidget* now);

  QWidget* ControlWidget(int32_t control) const;
  // The control a widget (or a part of one) belongs to; 0 for none.
  int32_t ControlOf(const QObject* object) const;
  const DialogUnits& Units() const { return units_; }

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // Held while the window applies the runtime's changes: the signals the
  // widgets give meanwhile are not the user's.
  struct Applying {
    explicit Applying(NativeWindow& w) : window(w) { ++window.applying_; }
    ~Applying() { --window.applying_; }
    NativeWindow& window;
  };

  // NativeWindowBuild.cpp
  void Build();
  QWidget* MakeControl(const rt::ControlDef& def);
  QRect Geometry(const rt::ControlDef& def, QWidget* widget) const;
  void Wire(const rt::ControlDef& def, QWidget* widget);
  void SetBuddies();
  void AddCommands();
  void FitBoxToText();
  // NativeWindowSync.cpp
  void SyncContents(const rt::ControlDef& def, QWidget* widget);
  void SyncGroup(int32_t group);
  void SyncList(int32_t control);
  void SyncImage(int32_t control);
  std::vector<int32_t> RadiosOf(int32_t group) const;
  // NativeWindowInput.cpp
  void Post(int32_t event, int32_t control, int32_t keyCode);
  void AcceptPendingEdit(int32_t except);
  void UserEdited(int32_t control, const QString& text);
  void UserChoseRadio(int32_t radio);
  void UserChecked(int32_t control, bool on);
  void UserPressed(int32_t control);
  void UserSelectedRow(int32_t control, int row);
  bool PressDefault();
  bool MoveWithinGroup(int32_t radio, int step);
  bool Alerted(int32_t control, int32_t code) const;
  void CopyBox() const;

  rt::Window* window_;
  QFont font_;
  DialogUnits units_;
  std::map<int32_t, QWidget*> controls_;
  std::map<int32_t, QButtonGroup*> groups_;  // by option group
  int32_t pendingEdit_ = 0;                  // the entry or spin edited and not yet accepted
  int32_t lastKey_ = 0;                      // the runtime's code of the last key or click
  int32_t hiddenFocus_ = 0;                  // a hidden control the program gave the focus
  int applying_ = 0;                         // above 0 while the runtime's changes are applied
  bool presented_ = false;
  bool activatedBefore_ = false;
  bool pressChose_ = false;  // the radio being pressed has been chosen by it
  QSize lastSize_;
  QTimer* timer_ = nullptr;
};

}  // namespace qtbackend
