// The system's message box with what the program adds to it: the box is the
// system's own (MessageBoxA, fitted to the screen as every box is); a hook
// sees it once laid out and sets the buttons' captions, starts a timer of its
// own that draws the seconds left on its default button (its name stays its
// caption, the seconds go into its description) and then presses it, and
// takes Escape and the close box where the dialog tools' rule answers them
// with Cancel.
// clang-format off
#include "platform/Win32Api.h"
#include "backends/win32/Win32Headers.h"
#include "platform/os/WindowsBoxLaidOut.h"
// clang-format on
#include "backends/win32/CountdownBox.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "backends/win32/DrawnCaption.h"
#include "runtime/BoxRules.h"

namespace win32 {
namespace {

constexpr UINT_PTR kCountdownTimer = 0x5155;  // no id the box's own controls use

struct Additions {
  int32_t seconds = 0;
  std::vector<std::pair<int, std::string>> captions;  // by the button's control id, which is its result id
  bool escapeIsCancel = false;
};

struct HookedBox {
  Additions add;
  int32_t seconds = 0;  // the countdown's length
  int32_t secondsLeft = 0;
  int defaultId = 0;  // the default button's result id, which is its control id
  HWND box = nullptr;
  HWND button = nullptr;
  std::string caption;  // the default button's caption, before the countdown
  WNDPROC boxProc = nullptr;
  bool timedOut = false;
  bool escaped = false;
};

// The box this thread shows; a box shown from inside another (a nested
// countdown) keeps the outer one aside meanwhile.
thread_local HookedBox* current = nullptr;

void ShowSecondsLeft(const HookedBox& c) {
  DrawCaption(c.button, rt::CountdownCaption(c.caption, c.secondsLeft),
              rt::CountdownDescription(c.seconds, c.secondsLeft));
}

void CALLBACK Tick(HWND box, UINT, UINT_PTR timer, DWORD) {
  HookedBox* c = current;
  if (!c || box != c->box) return;
  if (--c->secondsLeft > 0) return ShowSecondsLeft(*c);
  KillTimer(box, timer);
  c->timedOut = true;
  // What a click on the button sends: the box ends with the button's id.
  SendMessageA(box, WM_COMMAND, MAKEWPARAM(c->defaultId, BN_CLICKED), reinterpret_cast<LPARAM>(c->button));
}

// Escape and the close box both reach the box as IDCANCEL; here they end it
// as Cancel whether or not it shows a Cancel button.
LRESULT CALLBACK EscapeAsCancel(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  HookedBox* c = current;
  if (c && box == c->box) {
    if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE ||
        (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
      c->escaped = true;
      EndDialog(box, IDCANCEL);
      return 0;
    }
    return CallWindowProcA(c->boxProc, box, message, wParam, lParam);
  }
  return DefWindowProcA(box, message, wParam, lParam);
}

// Adds to the box once the system has made its buttons: when its dialog
// procedure has handled WM_INITDIALOG.
void AddWhenLaidOut(HWND box, void* context) {
  HookedBox* c = static_cast<HookedBox*>(context);
  c->box = box;
  for (const auto& [id, caption] : c->add.captions)
    if (HWND button = GetDlgItem(c->box, id)) SetWindowTextA(button, caption.c_str());
  if (c->add.escapeIsCancel) {
    EnableMenuItem(GetSystemMenu(c->box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    c->boxProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(c->box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EscapeAsCancel)));
  }
  c->button = GetDlgItem(c->box, c->defaultId);
  if (c->secondsLeft > 0 && c->button) {
    std::string caption(static_cast<std::size_t>(GetWindowTextLengthA(c->button)) + 1, '\0');
    caption.resize(
        static_cast<std::size_t>(GetWindowTextA(c->button, caption.data(), static_cast<int>(caption.size()))));
    c->caption = caption;
    ShowSecondsLeft(*c);
    SetTimer(c->box, kCountdownTimer, 1000, &Tick);
  }
}

int32_t HookedMessageBox(HWND owner, const char* text, const char* caption, UINT flags, const Additions& add,
                         bool& escaped) {
  // The default button by the rules every drawer keeps; a set the system
  // does not know fails in MessageBoxA itself.
  const std::vector<rt::BoxButton> buttons = rt::ButtonsOf(rt::ButtonSetOfType(flags & MB_TYPEMASK));
  const std::size_t place = rt::NativeDefaultPlace(flags, buttons.size());
  HookedBox box;
  box.add = add;
  box.seconds = box.secondsLeft = std::max(0, add.seconds);
  box.defaultId = buttons.empty() ? 0 : rt::NativeIdOfButton(buttons[place].value);
  HookedBox* outer = current;
  current = &box;
  std::optional<os::windows::WhenBoxLaidOut> adding;
  if ((box.secondsLeft > 0 && box.defaultId) || !add.captions.empty() || add.escapeIsCancel)
    adding.emplace(&AddWhenLaidOut, &box);
  const int32_t result = os::SystemCalls().messageBox(owner, text, caption, flags);
  adding.reset();
  current = outer;
  escaped = box.escaped;
  return box.timedOut ? os::MB_TIMEDOUT : result;
}

}  // namespace

int32_t CountdownMessageBox(os::HWND owner, const char* text, const char* caption, os::UINT flags, os::UINT seconds) {
  bool escaped = false;
  return HookedMessageBox(static_cast<HWND>(owner), text, caption, flags,
                          {.seconds = static_cast<int32_t>(std::min<os::UINT>(seconds, INT32_MAX))}, escaped);
}

bool SystemRequestBox(const rt::BoxRequest& request, rt::BoxAnswer& answer) {
  if (!request.extraButtons.empty() || !request.checkBox.empty() || (request.buttons & 0xFF) == 0) return false;
  Additions add{.seconds = request.timeout, .escapeIsCancel = request.escape == rt::EscapeRule::DialogTool};
  for (const rt::ShownButton& b : rt::ButtonsOf(request, true))
    if (b.caption != rt::ButtonsOf(b.value)[0].caption)
      add.captions.emplace_back(rt::NativeIdOfButton(b.value), b.caption);
  // MessageBoxA wraps long lines itself; it has no room for details that
  // open on request, so they follow the text.
  std::vector<std::string> lines = rt::TextLines(request, request.wrap == rt::BoxWrap::Ellipsize ? 80 : SIZE_MAX);
  if (!request.details.empty()) {
    rt::BoxRequest details = request;
    details.text = request.details;
    lines.emplace_back();
    for (std::string& line : rt::TextLines(details, SIZE_MAX)) lines.push_back(std::move(line));
  }
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  bool escaped = false;
  const int32_t result =
      HookedMessageBox(reinterpret_cast<HWND>(request.parentWindow), text.c_str(),
                       request.captionOmitted ? "" : request.caption.c_str(), rt::NativeFlags(request), add, escaped);
  answer.button = escaped                     ? rt::ButtonCancel
                  : result == os::MB_TIMEDOUT ? rt::BoxTimedOut
                                              : rt::ButtonOfNativeId(result);
  return true;
}

}  // namespace win32
