// The system's message box with a time-out: the box is the system's own
// (MessageBoxA, fitted to the screen as every box is), and a timer of its
// own counts the seconds down on its default button, then presses it.
// clang-format off
#include "platform/Win32Api.h"
#include "backends/win32/Win32Headers.h"
// clang-format on
#include "backends/win32/CountdownBox.h"

#include <algorithm>
#include <climits>
#include <string>

#include "runtime/BoxRules.h"

namespace win32 {
namespace {

constexpr UINT_PTR kCountdownTimer = 0x5155;  // no id the box's own controls use

struct Countdown {
  int32_t secondsLeft = 0;
  int defaultId = 0;  // the default button's result id, which is its control id
  HHOOK hook = nullptr;
  HWND box = nullptr;
  HWND button = nullptr;
  std::string caption;  // the default button's own caption
  bool timedOut = false;
};

// The countdown of the box this thread shows; a box shown from inside
// another (a nested countdown) keeps the outer one aside meanwhile.
thread_local Countdown* current = nullptr;

void ShowSecondsLeft(const Countdown& c) {
  SetWindowTextA(c.button, rt::CountdownCaption(c.caption, c.secondsLeft).c_str());
}

void CALLBACK Tick(HWND box, UINT, UINT_PTR timer, DWORD) {
  Countdown* c = current;
  if (!c || box != c->box) return;
  if (--c->secondsLeft > 0) return ShowSecondsLeft(*c);
  KillTimer(box, timer);
  c->timedOut = true;
  // What a click on the button sends: the box ends with the button's id.
  SendMessageA(box, WM_COMMAND, MAKEWPARAM(c->defaultId, BN_CLICKED), reinterpret_cast<LPARAM>(c->button));
}

// Starts the countdown once the system has made the box's buttons: when its
// dialog procedure has handled WM_INITDIALOG.
LRESULT CALLBACK StartWhenLaidOut(int code, WPARAM wParam, LPARAM lParam) {
  Countdown* c = current;
  const LRESULT next = CallNextHookEx(c ? c->hook : nullptr, code, wParam, lParam);
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (!c || code != HC_ACTION || !call || call->message != WM_INITDIALOG) return next;
  char name[16] = {};
  GetClassNameA(call->hwnd, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0) return next;
  UnhookWindowsHookEx(c->hook);
  c->hook = nullptr;
  c->button = GetDlgItem(call->hwnd, c->defaultId);
  if (!c->button) return next;
  c->box = call->hwnd;
  std::string caption(static_cast<std::size_t>(GetWindowTextLengthA(c->button)) + 1, '\0');
  caption.resize(static_cast<std::size_t>(GetWindowTextA(c->button, caption.data(), static_cast<int>(caption.size()))));
  c->caption = caption;
  ShowSecondsLeft(*c);
  SetTimer(c->box, kCountdownTimer, 1000, &Tick);
  return next;
}

}  // namespace

int32_t CountdownMessageBox(os::HWND owner, const char* text, const char* caption, os::UINT flags, os::UINT seconds) {
  // The default button by the rules every drawer keeps; a set the system
  // does not know fails in MessageBoxA itself.
  const std::vector<rt::BoxButton> buttons = rt::ButtonsOf(rt::ButtonSetOfType(flags & MB_TYPEMASK));
  const std::size_t place = rt::NativeDefaultPlace(flags, buttons.size());
  Countdown countdown;
  countdown.secondsLeft = static_cast<int32_t>(std::min<os::UINT>(seconds, INT32_MAX));
  countdown.defaultId = buttons.empty() ? 0 : rt::NativeIdOfButton(buttons[place].value);
  Countdown* outer = current;
  current = &countdown;
  if (countdown.secondsLeft > 0 && countdown.defaultId)
    countdown.hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &StartWhenLaidOut, nullptr, GetCurrentThreadId());
  const int32_t result = os::SystemCalls().messageBox(owner, text, caption, flags);
  if (countdown.hook) UnhookWindowsHookEx(countdown.hook);
  current = outer;
  return countdown.timedOut ? os::MB_TIMEDOUT : result;
}

}  // namespace win32
