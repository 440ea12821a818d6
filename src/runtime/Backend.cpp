#include "runtime/Backend.h"

#include <atomic>
#include <cstdint>

#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
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

BoxAnswer Backend::NativeBox(const BoxRequest& request) {
  // MessageBoxA wraps long lines itself.
  std::string text;
  for (const std::string& line : TextLines(request, SIZE_MAX)) text += (text.empty() ? "" : "\r\n") + line;
  const uint32_t flags = NativeFlags(request);
  const char* caption = request.captionOmitted ? "" : request.caption.c_str();
  const int32_t result = request.timeout > 0 ? os::CountdownMessageBoxA(nullptr, text.c_str(), caption, flags,
                                                                        static_cast<uint32_t>(request.timeout))
                                             : os::MessageBoxA(nullptr, text.c_str(), caption, flags);
  return {result == os::MB_TIMEDOUT ? BoxTimedOut : ButtonOfNativeId(result), false};
}

void SetBackend(Backend* backend) { installed = backend; }

void SetClipboardText(const std::string& text) { CurrentBackend().SetClipboardText(text); }

Backend& CurrentBackend() {
  Backend* b = installed.load();
  return b ? *b : noBackend;
}

}  // namespace rt
