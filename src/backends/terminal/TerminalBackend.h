#pragma once
// The runtime backend of a terminal: any window definition, message boxes
// (the runtime's own box windows, the native box of a whole request, and
// MessageBoxA behind them) drawn in character cells on the controlling
// terminal, each over the windows it was opened from.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "backends/InstallBackend.h"
#include "backends/terminal/BoxModel.h"
#include "backends/terminal/WindowInput.h"
#include "runtime/Backend.h"

namespace terminal {

class TerminalBackend : public rt::Backend {
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

  // A box that is no runtime window (the native box, MessageBoxA) comes
  // over the windows shown, and goes again.
  void CoverTop();
  void UncoverTop();
  // What the process ends with when a window cannot be drawn at all.
  void SetFailureStatus(int32_t status) { failureStatus_ = status; }

 private:
  struct Shown {
    BoxModel box;
    bool isBox = false;  // the runtime's own box, drawn as a box
    bool begun = false;  // the terminal was taken for it
    bool presented = false;
    int64_t nextTick = 0;  // when its timer runs its period next (ms, steady clock)
    intptr_t handle = 0;
    WindowView view;  // a window of any other definition
  };
  Shown* Find(const rt::Window& window);
  // The window of a definition on top, under any box; nullptr: none.
  rt::Window* TopWindow();
  // Draws the windows from the bottom up to `top` (all where null), `top` as
  // the active one.
  void PaintWindows(const rt::Window* top);
  void WaitForWindow(rt::Window& window, Shown& shown);
  void WaitForBox(rt::Window& window, Shown& shown);
  std::map<const rt::Window*, Shown> windows_;
  std::vector<rt::Window*> order_;  // the open windows, from the bottom up
  intptr_t nextHandle_ = 0x100;
  int32_t failureStatus_ = 69;
};

// The composed text as the terminal's clipboard takes it (OSC 52): ESC ] 52
// ; c ; the text in base64, then BEL.
std::string ClipboardSequence(const std::string& text);

// Whether a terminal is at hand to draw on or ask in (/dev/tty opens).
bool Available();
// Makes the terminal backend the runtime's backend, and MessageBoxA a box
// on the terminal. Ends the process with the options' failure status, saying
// why in one line, when there is no terminal.
void Install(const backend::StartOptions& options);
TerminalBackend& Backend();

// A box the terminal shows for a whole request, and for MessageBoxA's text,
// caption and flags; the screen's size in cells decides where lines wrap.
BoxModel ModelOf(const rt::BoxRequest& request, rt::ScreenArea screen);
BoxModel ModelOfFlags(const char* text, const char* caption, uint32_t flags, rt::ScreenArea screen);
// Shows the box until it is answered: the pressed button's value, the
// check box's tick, BoxTimedOut when `seconds` (> 0) ran out, 0 when nobody
// can answer.
rt::BoxAnswer RunBox(BoxModel box, int32_t seconds);

}  // namespace terminal
