#pragma once
// The scripted user of the headless backend. Steps queue up in order and are
// taken when a window's event loop waits for input, or when a message box is
// shown. Each step acts as a real user would, with the events that produce:
//
// - Moving the focus to another control (every step below that names a
//   control, except PressKeepingFocus) first accepts an entry or spin that
//   was edited and not yet accepted (EventControlAccepted for it), then
//   selects the new control (EventControlSelected).
// - Type / SetSpin edit the contents; the edit is accepted when the focus
//   leaves. Contents that break the picture are then rejected by the runtime
//   (EventInputRejected) and the variable keeps its value.
// - Choose: the option group takes the radio's value and is accepted.
// - Toggle: the check box flips and is accepted. Press: the button is accepted.
// - PressKeepingFocus: a button pressed by its access key: only the button is
//   accepted; the focused entry's edit stays unaccepted.
// - PressKey: on a control that alerts the key (property 32006), EventAlertedKey
//   with the key code set; otherwise the key code is set and nothing else.
// - CloseWindow: the close box (EventCloseRequested); no focus move.
// - Run: calls the test's function at that point, then goes on.
// - PostEvent: queues a raw event for the waiting window.
// - ChooseCommand: a command of the window (its context menu, or on Windows
//   its system menu); PressShortcut: the command's keyboard shortcut
//   ("Ctrl+Shift+C"). Both queue EventCommand with the command's number.
// - Wait: the user does nothing for a while, by the script's clock (no test
//   sleeps): a waiting window's timer runs as many periods as fit (one
//   EventTimer each); a box with a time-out counts down and, when its time
//   has run out, presses its default button. For a window or box with no
//   timer it changes nothing.
// - AnswerBox / PressBoxButton / CloseBox / EscapeBox answer the next message box, runtime or
//   native; Escape and the close box answer Cancel where there is one, OK in
//   an OK box, and are ignored otherwise (the box waits for the next step).
//   AnswerNative gives MessageBoxA's raw result (0 = the call failed).
//
// A step that does not fit what is waiting (a box step for a window, a window
// step for a box, a control the window does not have or of the wrong kind, a
// button the box does not show), or a wait with no steps left, fails the test
// through the failure handler (Headless.h) and never hangs.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

class UserScript {
 public:
  UserScript& Type(int32_t control, std::string text);
  UserScript& SetSpin(int32_t spin, int32_t value);
  UserScript& Choose(int32_t radio);
  UserScript& Toggle(int32_t checkBox);
  UserScript& Press(int32_t button);
  UserScript& PressKeepingFocus(int32_t button);
  UserScript& PressKey(int32_t control, int32_t keyCode);
  UserScript& CloseWindow();
  UserScript& Run(std::function<void()> fn);
  UserScript& PostEvent(int32_t event, int32_t control = 0);
  UserScript& AnswerBox(int32_t buttonSetValue);
  UserScript& AnswerNative(int32_t result);
  UserScript& CloseBox();
  UserScript& EscapeBox();
  // Ticks (or clears) the next message box's check box; the box stays open.
  UserScript& TickBox();
  // Presses the next message box's button that reads `caption` (without its
  // access mark); an empty caption presses Enter, which is its default button.
  UserScript& PressBoxButton(std::string caption);
  UserScript& Wait(int32_t milliseconds);
  UserScript& ChooseCommand(int32_t number);
  UserScript& PressShortcut(std::string shortcut);

  // The steps not yet taken, described ("press control 24").
  std::vector<std::string> Remaining() const;
  void Clear();
};

// The one scripted user.
UserScript& User();

}  // namespace headless
