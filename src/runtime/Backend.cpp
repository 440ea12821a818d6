#include "runtime/Backend.h"

#include <atomic>

#include "runtime/Program.h"

namespace rt {
namespace {

// Stands in until a backend is installed: windows work as data, and only
// waiting for the user is impossible.
class NoBackend : public Backend {
 public:
  void CreateNativeWindow(Window&) override {}
  void DestroyNativeWindow(Window&) override {}
  void ControlChanged(Window&, int32_t) override {}
  void FocusChanged(Window&, int32_t) override {}
  void TimerChanged(Window&) override {}
  void WaitForEvent(Window&) override {
    Halt(1, "No user interface backend is installed: a window cannot wait for input");
  }
  intptr_t NativeHandle(const Window&) const override { return 0; }
  void Beep(int32_t, int32_t) override {}
  void SetCursor(const std::string&) override {}
  ScreenArea WorkArea() const override { return kClassicWorkArea; }
  void SetClipboardText(const std::string&) override {}
};

NoBackend noBackend;
std::atomic<Backend*> installed{nullptr};

}  // namespace

void SetBackend(Backend* backend) { installed = backend; }

void SetClipboardText(const std::string& text) { CurrentBackend().SetClipboardText(text); }

Backend& CurrentBackend() {
  Backend* b = installed.load();
  return b ? *b : noBackend;
}

}  // namespace rt
