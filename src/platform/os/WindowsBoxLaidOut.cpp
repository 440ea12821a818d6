// Something to do to the system's message box once it is laid out (see the
// header).
// clang-format off
#include <windows.h>
#include "platform/os/WindowsBoxLaidOut.h"
// clang-format on
#include <algorithm>

namespace os::windows {
namespace {

// What this thread waits for: the actions, the hook that catches the box as
// it is made, and the box with its own window procedure while it is
// subclassed.
struct Waiting {
  std::vector<WhenBoxLaidOut*> actions;
  HHOOK hook = nullptr;
  ::HWND box = nullptr;
  WNDPROC boxProc = nullptr;
};

thread_local Waiting waiting;

bool IsMessageBox(::HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

}  // namespace

WhenBoxLaidOut::WhenBoxLaidOut(Action action, void* context) : action_(action), context_(context) {
  waiting.actions.push_back(this);
  if (!waiting.hook && !waiting.box)
    waiting.hook = SetWindowsHookExA(WH_CBT, &WhenBoxLaidOut::Created, nullptr, GetCurrentThreadId());
}

WhenBoxLaidOut::~WhenBoxLaidOut() {
  auto& actions = waiting.actions;
  actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
  if (actions.empty()) StopWaiting();
}

void WhenBoxLaidOut::StopWaiting() {
  if (waiting.hook) UnhookWindowsHookEx(waiting.hook);
  waiting.hook = nullptr;
  if (waiting.box && IsWindow(waiting.box) &&
      GetWindowLongPtrW(waiting.box, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WhenBoxLaidOut::BoxProc))
    SetWindowLongPtrW(waiting.box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(waiting.boxProc));
  waiting.box = nullptr;
  waiting.boxProc = nullptr;
}

LRESULT CALLBACK WhenBoxLaidOut::Created(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(waiting.hook, code, wParam, lParam);
  const auto window = reinterpret_cast<::HWND>(wParam);
  if (code == HCBT_CREATEWND && !waiting.box && IsMessageBox(window)) {
    UnhookWindowsHookEx(waiting.hook);
    waiting.hook = nullptr;
    waiting.box = window;
    waiting.boxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WhenBoxLaidOut::BoxProc)));
  }
  return next;
}

LRESULT CALLBACK WhenBoxLaidOut::BoxProc(::HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC own = waiting.boxProc;
  const LRESULT result = CallWindowProcW(own, box, message, wParam, lParam);
  if (message == WM_INITDIALOG && box == waiting.box) {
    // The box gets its own procedure back before the actions run, so that an
    // action may subclass it in turn.
    const std::vector<WhenBoxLaidOut*> actions = waiting.actions;
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    waiting.box = nullptr;
    waiting.boxProc = nullptr;
    for (WhenBoxLaidOut* w : actions) w->action_(box, w->context_);
  }
  return result;
}

}  // namespace os::windows
