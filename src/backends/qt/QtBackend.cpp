#include "backends/qt/QtBackend.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QScreen>

#include "backends/InstallBackend.h"
#include "backends/qt/AnsiText.h"
#include "backends/qt/DialogUnits.h"
#include "backends/qt/NativeMessageBox.h"
#include "backends/qt/NativeWindow.h"
#include "backends/qt/QtApplication.h"
#include "runtime/Window.h"

namespace qtbackend {
namespace {

// Windows that closed are deleted the next time the runtime waits, outside
// any of their own event handlers.
void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void RouteFocus(QWidget*, QWidget* now) {
  if (auto* window = dynamic_cast<NativeWindow*>(now ? now->window() : nullptr)) window->FocusMoved(now);
}

}  // namespace

QtBackend& Backend() {
  static QtBackend backend;
  return backend;
}

void Install(const backend::StartOptions& options) {
  SetStartOptions(options);
  QApplication& app = EnsureApplication();
  static bool routed = false;
  if (!routed) {
    QObject::connect(&app, &QApplication::focusChanged, &app, &RouteFocus);
    routed = true;
  }
  rt::SetBackend(&Backend());
  // The program's MessageBoxA: a Qt message box; the heap and the
  // full-window-drag setting stay the platform's.
  os::InstallWin32Calls({.messageBox = &ShowMessageBoxA, .countdownMessageBox = &ShowCountdownMessageBoxA});
}

NativeWindow* QtBackend::Find(const rt::Window& window) const {
  auto it = windows_.find(&window);
  return it == windows_.end() ? nullptr : it->second.data();
}

void QtBackend::CreateNativeWindow(rt::Window& window) {
  EnsureApplication();
  DeleteClosedWindows();
  if (Find(window)) return;
  // The window that was on top until now owns the new one.
  QWidget* owner = QApplication::activeModalWidget();
  auto* native = new NativeWindow(window);
  windows_[&window] = native;
  native->SetTimer(window.TimerPeriod());
  native->Present(owner);
}

void QtBackend::DestroyNativeWindow(rt::Window& window) {
  auto it = windows_.find(&window);
  if (it == windows_.end()) return;
  QPointer<NativeWindow> native = it->second;
  windows_.erase(it);
  if (!native) return;
  native->Detach();
  native->hide();
  native->deleteLater();
  ActivateTopWindow();
}

void QtBackend::ControlChanged(rt::Window& window, int32_t control) {
  if (NativeWindow* native = Find(window)) native->Sync(control);
}

void QtBackend::FocusChanged(rt::Window& window, int32_t control) {
  if (NativeWindow* native = Find(window)) native->ApplyFocus(control);
}

void QtBackend::TimerChanged(rt::Window& window) {
  if (NativeWindow* native = Find(window)) native->SetTimer(window.TimerPeriod());
}

void QtBackend::WaitForEvent(rt::Window& window) {
  EnsureApplication();
  // A window opened before this backend was installed has no native window
  // yet; without one the user could never answer it.
  if (window.IsOpen() && !Find(window)) CreateNativeWindow(window);
  DeleteClosedWindows();
  waiting_.push_back(&window);
  struct Done {
    std::vector<const rt::Window*>& waiting;
    ~Done() { waiting.pop_back(); }
  } done{waiting_};
  // Sleeps in Qt's event queue until the user's action queues an event for
  // this window or the window closes.
  while (window.IsOpen() && window.QueuedEvents() == 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

intptr_t QtBackend::NativeHandle(const rt::Window& window) const {
  NativeWindow* native = Find(window);
  return native ? static_cast<intptr_t>(native->winId()) : 0;
}

void QtBackend::Beep(int32_t, int32_t) { QApplication::beep(); }

rt::BoxAnswer QtBackend::NativeBox(const rt::BoxRequest& request) { return ShowRequestBox(request); }

rt::ScreenArea QtBackend::WorkArea() const {
  EnsureApplication();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return rt::kClassicWorkArea;
  const QRect area = screen->availableGeometry();
  return DialogUnits::OfFont(WindowFont("MS Sans Serif", 8)).Screen(area.width(), area.height());
}

void QtBackend::SetClipboardText(const std::string& text) {
  EnsureApplication();
  QGuiApplication::clipboard()->setText(FromAnsi(text));
}

void QtBackend::SetCursor(const std::string& cursor) {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  // FIXME: every named cursor shows as the busy cursor; the program names none other.
  if (!cursor.empty()) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

}  // namespace qtbackend
