// Showing a runtime window's state in its native window: texts, contents,
// checks, hidden controls, the default button, icons and list rows.
#include <algorithm>

#include "backends/win32/ControlCodes.h"
#include "backends/win32/DrawnCaption.h"
#include "backends/win32/NativeWindow.h"
#include "runtime/BoxRules.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"

namespace win32 {
namespace {

using rt::ControlKind;

// More rows than this are not asked for: a row callback that reports a
// nonsensical count must not make the list view allocate without end.
constexpr int64_t kMostRows = 1000000;

// The system's icon of a MessageBoxA icon flag; none for 0.
LPCSTR IconResource(uint32_t flag) {
  switch (flag) {
    case MB_ICONHAND:
      return MAKEINTRESOURCEA(32513);  // IDI_HAND
    case MB_ICONQUESTION:
      return MAKEINTRESOURCEA(32514);  // IDI_QUESTION
    case MB_ICONEXCLAMATION:
      return MAKEINTRESOURCEA(32515);  // IDI_EXCLAMATION
    case MB_ICONASTERISK:
      return MAKEINTRESOURCEA(32516);  // IDI_ASTERISK
    default:
      return nullptr;
  }
}

}  // namespace

std::string NativeText(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  int got = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

NativeWindow::Child* NativeWindow::Find(int32_t number) {
  for (Child& c : children_)
    if (c.def && c.def->number == number) return &c;
  return nullptr;
}

NativeWindow::Child* NativeWindow::FindHandle(HWND hwnd) {
  // A control's own child windows (a list's header) count as the control.
  while (hwnd && hwnd != hwnd_) {
    for (Child& c : children_)
      if (c.hwnd == hwnd || (c.upDown && c.upDown == hwnd)) return &c;
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

void NativeWindow::SetNativeText(HWND hwnd, const std::string& text) {
  if (NativeText(hwnd) == text) return;  // keeps the caret where the user left it
  ++updating_;
  SetWindowTextA(hwnd, text.c_str());
  --updating_;
}

std::string NativeWindow::PromptText(int32_t number) const {
  const std::vector<int32_t> lines = window_.BoxLines();
  if (lines.empty() || lines.front() != number) return window_.Text(number);
  std::string text;
  for (int32_t line : lines) text += (line == number ? "" : "\r\n") + window_.Text(line);
  return text;
}

bool NativeWindow::IsDefaultButton(int32_t number) const {
  return window_.GetProperty(number, rt::PropDefaultButton, 0).Number() != 0;
}

void NativeWindow::Refresh(int32_t control) {
  if (!hwnd_) return;
  if (control == 0) {
    SetNativeText(hwnd_, window_.Title());
    return;
  }
  if (Child* c = Find(control)) RefreshChild(*c);
}

void NativeWindow::RefreshChild(Child& child) {
  if (!child.hwnd) return;
  const rt::ControlDef& def = *child.def;
  const int32_t n = def.number;
  switch (def.kind) {
    case ControlKind::Prompt:
      SetNativeText(child.hwnd, PromptText(n));
      break;
    case ControlKind::Group:
    case ControlKind::Sheet:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
    case ControlKind::OptionGroup:
    case ControlKind::Text:  // its lines end in CR LF, as a multi-line edit wants them
      SetNativeText(child.hwnd, window_.Text(n));
      break;
    case ControlKind::Button:
      // The window text is what a screen reader reads; where the drawn text
      // differs (a countdown's "Yes (28)"), the button draws it itself.
      SetNativeText(child.hwnd, window_.SpokenCaption(n));
      if (window_.SpokenCaption(n) != window_.Text(n)) DrawCaption(child.hwnd, window_.Text(n), window_.Description(n));
      break;
    case ControlKind::Entry:
    case ControlKind::Spin:
      SetNativeText(child.hwnd, window_.Contents(n));
      break;
    case ControlKind::Image:
      ShowIcon(child);
      break;
    case ControlKind::List:
      RefreshList(child);
      break;
  }
  if (def.kind == ControlKind::CheckBox) {
    ++updating_;
    SendMessageA(child.hwnd, BM_SETCHECK, rt::ToNumber(window_.Contents(n)) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    --updating_;
  }
  if (def.kind == ControlKind::OptionGroup) RefreshChecks(n);
  if (def.kind == ControlKind::Radio) RefreshChecks(window_.GroupOf(n));
  if (def.kind == ControlKind::Button) {
    const bool isDefault = IsDefaultButton(n);
    if (isDefault) defaultButton_ = n;
    if (!isDefault && defaultButton_ == n) defaultButton_ = 0;
    SendMessageA(child.hwnd, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
  const int show = window_.IsHidden(n) ? SW_HIDE : SW_SHOWNA;
  ShowWindow(child.hwnd, show);
  if (child.upDown) ShowWindow(child.upDown, show);
}

void NativeWindow::RefreshChecks(int32_t group) {
  if (group == 0) return;
  // The chosen radio is the group's one tab stop; with none chosen, the first.
  Child* first = nullptr;
  bool anyChecked = false;
  ++updating_;
  for (Child& c : children_) {
    if (!c.hwnd || c.def->kind != ControlKind::Radio || window_.GroupOf(c.def->number) != group) continue;
    if (!first) first = &c;
    const bool checked = window_.IsChecked(c.def->number);
    anyChecked = anyChecked || checked;
    SendMessageA(c.hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    LONG_PTR style = GetWindowLongPtrA(c.hwnd, GWL_STYLE);
    SetWindowLongPtrA(c.hwnd, GWL_STYLE, checked ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  }
  if (!anyChecked && first)
    SetWindowLongPtrA(first->hwnd, GWL_STYLE, GetWindowLongPtrA(first->hwnd, GWL_STYLE) | WS_TABSTOP);
  --updating_;
}

void NativeWindow::ShowIcon(Child& child) {
  LPCSTR resource = IconResource(rt::ImageIconFlag(window_.Text(child.def->number)));
  // FIXME: an icon given as a number (not a code) shows nothing; no window of
  // this program gives one.
  HICON icon = resource ? LoadIconA(nullptr, resource) : nullptr;
  SendMessageA(child.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void NativeWindow::RefreshList(Child& child) {
  const int32_t n = child.def->number;
  int64_t rows = 0;
  if (window_.GetProperty(n, rt::PropListRowCallback, 0).Number() != 0)
    rows = std::clamp<int64_t>(rt::ToNumber(window_.ListCell(n, -1, 0)), 0, kMostRows);
  ++updating_;
  if (rows != child.rows) {
    child.rows = static_cast<int32_t>(rows);
    SendMessageA(child.hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  }
  const int64_t selected = window_.GetProperty(n, rt::PropListSelection, 0).Number();
  const int current =
      static_cast<int>(SendMessageA(child.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected != current + 1) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(child.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (selected >= 1 && selected <= rows) {
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageA(child.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(selected - 1), reinterpret_cast<LPARAM>(&state));
      SendMessageA(child.hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected - 1), FALSE);
    }
  }
  --updating_;
  InvalidateRect(child.hwnd, nullptr, TRUE);
}

void NativeWindow::FocusControl(int32_t control) {
  Child* c = Find(control);
  if (!c || !c->hwnd) return;
  // The program's move is no move of the user's: it queues nothing.
  lastFocus_ = control;
  if (IsWindowEnabled(hwnd_)) SetFocus(c->hwnd);
}

}  // namespace win32
