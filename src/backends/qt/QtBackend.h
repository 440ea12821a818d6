#pragma once
// The runtime backend of the Linux desktop program: each open runtime window
// is a NativeWindow, the event loop pulls from Qt's queue (sleeping until the
// user acts), and MessageBoxA is a native Qt message box.
#include <QPointer>
#include <map>
#include <vector>

#include "backends/InstallBackend.h"
#include "runtime/Backend.h"

namespace qtbackend {

class NativeWindow;

class QtBackend : public rt::Backend {
 public:
  void CreateNativeWindow(rt::Window& window) override;
  void DestroyNativeWindow(rt::Window& window) override;
  void ControlChanged(rt::Window& window, int32_t control) override;
  void FocusChanged(rt::Window& window, int32_t control) override;
  void TimerChanged(rt::Window& window) override;
  void WaitForEvent(rt::Window& window) override;
  intptr_t NativeHandle(const rt::Window& window) const override;
  void Beep(int32_t frequency, int32_t duration) override;
  void SetCursor(const std::string& cursor) override;
  rt::ScreenArea WorkArea() const override;
  void SetClipboardText(const std::string& text) override;
  rt::BoxAnswer NativeBox(const rt::BoxRequest& request) override;

  // The native window of an open runtime window, or null.
  NativeWindow* Find(const rt::Window& window) const;
  // The window whose event loop waits for the user right now (the innermost
  // wait), or null while the program works: a scripted user acts only then.
  const rt::Window* WaitingWindow() const { return waiting_.empty() ? nullptr : waiting_.back(); }

 private:
  std::map<const rt::Window*, QPointer<NativeWindow>> windows_;
  std::vector<const rt::Window*> waiting_;
};

// Makes the application (see QtApplication.h) and installs the backend.
void Install(const backend::StartOptions& options);
// The installed backend.
QtBackend& Backend();

}  // namespace qtbackend
