#pragma once
// The runtime backend that draws nothing: it records what a user would see
// and takes the user's actions from the script.
#include "runtime/Backend.h"

namespace headless {

struct Step;

class HeadlessBackend : public rt::Backend {
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

 private:
  // Carries out one window or box step: queues the events it produces.
  void Perform(rt::Window& window, const Step& step);
  // The user moves the focus to a control: an unaccepted edit is accepted
  // first, then the control is selected.
  void UserFocus(rt::Window& window, int32_t control);
};

}  // namespace headless
