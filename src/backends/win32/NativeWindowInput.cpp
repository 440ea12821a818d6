// What the user does in a native window, turned into the runtime's events:
// accepted controls (buttons, radios for their option group, check boxes,
// entries when the focus leaves them, lists on a double click), selected
// controls, focus, close requests, resizes and alerted keys.
#include <atomic>

#include "backends/win32/ControlCodes.h"
#include "backends/win32/NativeWindow.h"
#include "runtime/Events.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace win32 {
namespace {

using rt::ControlKind;

// The key code of the input being handled, for the events it causes.
thread_local int32_t inputKey = rt::Window::KeepKeyCode;
// The cursor the program chose; the arrow is the class's own.
constexpr int32_t kArrow = 32512;
std::atomic<int32_t> cursorId{kArrow};

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void NativeWindow::NoteInput(const MSG& message) {
  switch (message.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case BM_CLICK:
      inputKey = rt::KeyMouseLeft;
      break;
    case WM_LBUTTONDBLCLK:
      inputKey = rt::KeyMouseLeftDouble;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      inputKey = rt::KeyMouseRight;
      break;
    case WM_RBUTTONDBLCLK:
      inputKey = rt::KeyMouseRightDouble;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      inputKey = KeyCodeOf(static_cast<int32_t>(message.wParam), Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU));
      break;
    default:
      break;
  }
}

void NativeWindow::UseCursor(int32_t cursor) {
  cursorId = cursor;
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(cursor)));
}

void NativeWindow::Post(int32_t event, int32_t control, int32_t keyCode) {
  if (created_) window_.Post(event, control, keyCode);
}

namespace {
constexpr UINT_PTR kRuntimeTimer = 1;  // the one timer a runtime window has
}  // namespace

void NativeWindow::SetTimer(int32_t milliseconds) {
  if (milliseconds > 0)
    ::SetTimer(hwnd_, kRuntimeTimer, static_cast<UINT>(milliseconds), nullptr);
  else
    ::KillTimer(hwnd_, kRuntimeTimer);
}

LRESULT NativeWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if (ChooseCommand(static_cast<UINT>(wParam & 0xFFF0))) return 0;
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_CONTEXTMENU:
      if (ShowContextMenu(lParam)) return 0;
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kRuntimeTimer) Post(rt::EventTimer, 0, rt::Window::KeepKeyCode);
      return 0;
    case WM_COMMAND:
      if (lParam != 0) {
        if (Child* c = FindHandle(reinterpret_cast<HWND>(lParam)))
          if (reinterpret_cast<HWND>(lParam) == c->hwnd) OnCommand(*c, HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Child* c = FindHandle(header->hwndFrom))
        if (header->hwndFrom == c->hwnd) return OnNotify(*c, header);
      return 0;
    }
    case WM_CLOSE:
      Post(rt::EventCloseRequested, 0, rt::Window::KeepKeyCode);
      return 0;  // the program decides whether the window closes
    case WM_QUERYENDSESSION:
      Post(rt::EventShutdownRequested, 0, rt::Window::KeepKeyCode);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        SyncFocus();
        Post(rt::EventFocusLost, 0, rt::Window::KeepKeyCode);
      } else {
        // The system gives a reactivated window the focus itself; the control
        // that had it takes it back.
        if (!HIWORD(wParam))
          if (HWND focus = ControlHandle(lastFocus_); focus && IsWindowVisible(focus)) SetFocus(focus);
        Post(rt::EventFocusGained, 0, rt::Window::KeepKeyCode);
      }
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Post(rt::EventWindowResized, 0, rt::Window::KeepKeyCode);
      return 0;
    case WM_SETCURSOR:
      if (cursorId != kArrow && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(cursorId)));
        return TRUE;
      }
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case DM_GETDEFID:
      return defaultButton_ ? MAKELRESULT(defaultButton_, DC_HASDEFID) : 0;
    case WM_NEXTDLGCTL:
      MoveFocus(wParam, lParam);
      return 0;
    default:
      return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

void NativeWindow::OnCommand(Child& child, int32_t code) {
  const int32_t n = child.def->number;
  switch (child.def->kind) {
    case ControlKind::Button:
      if (code != BN_CLICKED) return;
      SyncFocus();
      Post(rt::EventControlAccepted, n, inputKey);
      return;
    case ControlKind::Radio: {
      if (code != BN_CLICKED || updating_) return;
      SyncFocus();
      const int32_t group = window_.GroupOf(n);
      if (SendMessageA(child.hwnd, BM_GETCHECK, 0, 0) != BST_CHECKED || !group) {
        RefreshChecks(group);  // only a choice counts: the checks follow the group
        return;
      }
      window_.ChooseRadio(n);
      RefreshChecks(group);
      Post(rt::EventControlAccepted, group, inputKey);
      return;
    }
    case ControlKind::CheckBox: {
      if (code != BN_CLICKED || updating_) return;
      SyncFocus();
      const bool on = SendMessageA(child.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (on != (rt::ToNumber(window_.Contents(n)) != 0)) window_.ToggleCheck(n);
      Post(rt::EventControlAccepted, n, inputKey);
      return;
    }
    case ControlKind::Entry:
    case ControlKind::Spin:
      // The contents follow every edit, so that the program reads what the
      // user sees even before the field is left; the edit is accepted when
      // the focus leaves the field (SyncFocus).
      if (code != EN_CHANGE || updating_) return;
      window_.EnterText(n, NativeText(child.hwnd));
      edited_ = n;
      return;
    default:
      return;
  }
}

LRESULT NativeWindow::OnNotify(Child& child, NMHDR* header) {
  if (child.def->kind != ControlKind::List) return 0;
  const int32_t n = child.def->number;
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::string text = window_.ListCell(n, item.iItem + 1, item.iSubItem + 1);
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
      }
      return 0;
    }
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::string text = window_.ListCell(n, item.iItem + 1, item.iSubItem + 1);
        int wrote = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), item.pszText,
                                        item.cchTextMax - 1);
        item.pszText[wrote > 0 ? wrote : 0] = L'\0';
      }
      return 0;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (updating_ || change->iItem < 0) return 0;
      if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
        ++updating_;
        window_.SetProperty(n, rt::PropListSelection, 0, rt::Value(static_cast<int32_t>(change->iItem + 1)));
        --updating_;
        Post(rt::EventSelectionChanged, n, inputKey);
      }
      return 0;
    }
    case NM_DBLCLK:
      SyncFocus();
      Post(rt::EventControlAccepted, n, rt::KeyMouseLeftDouble);
      return 0;
    default:
      return 0;
  }
}

void NativeWindow::SyncFocus() {
  if (!hwnd_ || !created_) return;
  HWND focus = GetFocus();
  if (!focus || (focus != hwnd_ && !IsChild(hwnd_, focus))) return;
  Child* c = FindHandle(focus);
  if (!c || c->def->number == lastFocus_) return;
  const int32_t now = c->def->number;
  lastFocus_ = now;
  if (edited_ && edited_ != now) Post(rt::EventControlAccepted, edited_, rt::Window::KeepKeyCode);
  edited_ = 0;
  window_.MoveFocus(now);
  Post(rt::EventControlSelected, now, rt::Window::KeepKeyCode);
}

void NativeWindow::MoveFocus(WPARAM wParam, LPARAM lParam) {
  // The dialog manager (Tab, arrows, access keys) asks for focus moves this
  // way. With LOWORD(lParam) set, wParam is the control to go to: a prompt
  // takes no focus, but the next move starts from it (its access key leads
  // to the control after it).
  if (LOWORD(lParam)) {
    HWND to = reinterpret_cast<HWND>(wParam);
    Child* c = FindHandle(to);
    if (c && c->def->kind == ControlKind::Prompt) {
      navigateFrom_ = to;
    } else if (to) {
      navigateFrom_ = nullptr;
      SetFocus(to);
    }
    return;
  }
  HWND from = navigateFrom_ ? navigateFrom_ : GetFocus();
  navigateFrom_ = nullptr;
  HWND next = GetNextDlgTabItem(hwnd_, from, wParam != 0);
  if (!next) return;
  SetFocus(next);
  // As in dialogs, an entry reached by the keyboard has its text selected.
  if (Child* c = FindHandle(next);
      c && c->hwnd == next && (c->def->kind == ControlKind::Entry || c->def->kind == ControlKind::Spin))
    SendMessageA(next, EM_SETSEL, 0, -1);
}

bool NativeWindow::AlertsKey(int32_t number, int32_t keyCode) const {
  for (int32_t i = 1; i <= 255; ++i) {
    rt::Value alerted = window_.GetProperty(number, rt::PropAlertedKeys, i);
    if (alerted.Number() == keyCode && !alerted.Text().empty()) return true;
  }
  return false;
}

int32_t NativeWindow::EnterTarget() const {
  // Enter presses the focused button (or accepts the focused list), and
  // otherwise the window's default button.
  for (const Child& c : children_)
    if (c.def->number == lastFocus_ && (c.def->kind == ControlKind::Button || c.def->kind == ControlKind::List))
      return lastFocus_;
  for (const Child& c : children_)
    if (c.def->number == defaultButton_ && c.hwnd && IsWindowVisible(c.hwnd) && IsWindowEnabled(c.hwnd))
      return defaultButton_;
  return 0;
}

bool NativeWindow::PreTranslate(MSG& message) {
  if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    SyncFocus();
    const int32_t vk = static_cast<int32_t>(message.wParam);
    if (CommandShortcut(vk, Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU))) return true;
    const int32_t code = KeyCodeOf(vk, Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU));
    if (lastFocus_ && AlertsKey(lastFocus_, code)) {
      Post(rt::EventAlertedKey, lastFocus_, code);
      return true;
    }
    if (code == rt::KeyEscape) {
      Post(rt::EventCloseRequested, 0, rt::KeyEscape);
      return true;
    }
    if (code == rt::KeyEnter) {
      if (int32_t target = EnterTarget()) Post(rt::EventControlAccepted, target, rt::KeyEnter);
      return true;
    }
  }
  return IsDialogMessageA(hwnd_, &message) != 0;
}

}  // namespace win32
