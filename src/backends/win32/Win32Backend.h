#pragma once
// The runtime backend of the Windows program: every open runtime window is a
// real top-level window with standard controls (NativeWindow.h), and the
// Win32 message loop feeds the runtime's event queues while a window waits.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "runtime/Backend.h"

namespace win32 {

class NativeWindow;

class Win32Backend : public rt::Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;

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
  // The system's MessageBoxA where it can show the request; the runtime's own
  // box, which shows every request, where it cannot (buttons of the caller's
  // own, a check box).
  rt::BoxAnswer NativeBox(const rt::BoxRequest& request) override;

  // The native window of an open runtime window, or null.
  NativeWindow* Native(const rt::Window& window) const;

  // For tests:
  // Handles the messages waiting for this thread without waiting for more;
  // false once WM_QUIT was seen, so that a test can drive windows itself.
  bool PumpPending();

 private:
  mutable std::mutex lock_;
  std::map<const rt::Window*, std::unique_ptr<NativeWindow>> windows_;
  // Why a window has no native window: the loop halts with it.
  std::map<const rt::Window*, std::string> failures_;
};

}  // namespace win32
