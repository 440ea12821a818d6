// Making a runtime window's native window and its controls.
#include "backends/win32/NativeWindow.h"

#include <algorithm>
#include <map>

#include "backends/win32/ControlCodes.h"
#include "runtime/Events.h"
#include "runtime/ListFormat.h"
#include "runtime/Picture.h"
#include "runtime/Window.h"

namespace win32 {
namespace {

using rt::ControlKind;

// The native windows of this thread by handle: windows belong to the thread
// that made them, and so does this table.
thread_local std::map<HWND, NativeWindow*> nativeWindows;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// The width of a check box's or radio button's mark and the gap after it.
int32_t MarkWidth(HDC dc) { return MulDiv(13, GetDeviceCaps(dc, LOGPIXELSX), 96) + 6; }

bool IsBox(const rt::Window& window) { return window.BoxInfo() != nullptr; }

}  // namespace

bool NativeWindow::RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &NativeWindow::Procedure;
    wc.hInstance = Instance();
    // The program's own icon (its first icon resource) where it has one, else
    // the system's application icon.
    wc.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExA(&wc) != 0;
  }();
  return registered;
}

NativeWindow* NativeWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = GetAncestor(hwnd, GA_ROOT);
  auto it = nativeWindows.find(root ? root : hwnd);
  return it == nativeWindows.end() ? nullptr : it->second;
}

NativeWindow::NativeWindow(rt::Window& window, HWND owner) : window_(window) { Create(owner); }

NativeWindow::~NativeWindow() {
  created_ = false;  // what the window hears while it goes is no user's doing
  if (owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
  if (hwnd_) {
    nativeWindows.erase(hwnd_);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
}

HWND NativeWindow::ControlHandle(int32_t number) const {
  for (const Child& c : children_)
    if (c.def->number == number) return c.hwnd;
  return nullptr;
}

SIZE NativeWindow::AutoSize(const rt::ControlDef& def, HDC dc) const {
  RECT text{0, 0, 0, 0};
  UINT flags = DT_CALCRECT | DT_LEFT | (IsBox(window_) ? DT_NOPREFIX : 0);
  std::string shown = window_.Text(def.number);
  if (!shown.empty()) DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &text, flags);
  const LONG textWidth = text.right - text.left;
  const LONG textHeight = std::max<LONG>(text.bottom - text.top, rt::UnitsToPixelsY(8, units_));
  switch (def.kind) {
    case ControlKind::Prompt:
      return {textWidth + 2, textHeight};
    case ControlKind::Radio:
    case ControlKind::CheckBox:
      return {MarkWidth(dc) + textWidth + 2, std::max<LONG>(textHeight, rt::UnitsToPixelsY(10, units_))};
    case ControlKind::Button:
      return {std::max<LONG>(rt::UnitsToPixelsX(50, units_), textWidth + rt::UnitsToPixelsX(8, units_)),
              rt::UnitsToPixelsY(14, units_)};
    case ControlKind::Entry:
      return {rt::UnitsToPixelsX(60, units_), rt::UnitsToPixelsY(12, units_)};
    case ControlKind::Spin:
      return {rt::UnitsToPixelsX(30, units_), rt::UnitsToPixelsY(12, units_)};
    case ControlKind::Image:
      return {std::max<LONG>(32, rt::UnitsToPixelsX(21, units_)), std::max<LONG>(32, rt::UnitsToPixelsY(21, units_))};
    case ControlKind::List:
    case ControlKind::Text:
      return {rt::UnitsToPixelsX(120, units_), rt::UnitsToPixelsY(60, units_)};
    case ControlKind::OptionGroup:
    case ControlKind::Group:
    case ControlKind::Sheet:
      return {rt::UnitsToPixelsX(100, units_), rt::UnitsToPixelsY(50, units_)};
  }
  return {textWidth, textHeight};
}

HFONT NativeWindow::MakeFont(const std::string& name, int32_t points, HDC screen, rt::BaseUnits& units) {
  HFONT font = CreateFontA(-MulDiv(points > 0 ? points : 8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                           FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.empty() ? "MS Sans Serif" : name.c_str());
  HGDIOBJ previous = SelectObject(screen, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SIZE letters{};
  GetTextExtentPoint32A(screen, rt::kBaseUnitLetters, 52, &letters);
  units = rt::BaseUnitsOfFont(letters.cx, metrics.tmHeight);
  SelectObject(screen, previous);
  return font;
}

RECT NativeWindow::ClientArea(HDC dc) const {
  const rt::WindowDef& def = window_.Def();
  RECT area{0, 0, rt::UnitsToPixelsX(def.width, units_), rt::UnitsToPixelsY(def.height, units_)};
  if (def.width > 0 && def.height > 0) return area;
  // A definition without a size is as large as its controls and a margin.
  LONG right = 0, bottom = 0;
  for (const rt::ControlDef& c : def.controls) {
    SIZE autoSize = AutoSize(c, dc);
    right = std::max<LONG>(
        right, rt::UnitsToPixelsX(c.x, units_) + (c.width ? rt::UnitsToPixelsX(c.width, units_) : autoSize.cx));
    bottom = std::max<LONG>(
        bottom, rt::UnitsToPixelsY(c.y, units_) + (c.height ? rt::UnitsToPixelsY(c.height, units_) : autoSize.cy));
  }
  if (def.width <= 0) area.right = right + rt::UnitsToPixelsX(7, units_);
  if (def.height <= 0) area.bottom = bottom + rt::UnitsToPixelsY(7, units_);
  return area;
}

void NativeWindow::Create(HWND owner) {
  const rt::WindowDef& def = window_.Def();
  const bool box = IsBox(window_);
  if (!RegisterWindowClass()) {
    error_ = "the window class could not be registered";
    return;
  }
  HDC screen = GetDC(nullptr);
  font_ = MakeFont(def.fontName, def.fontSize, screen, units_);
  HGDIOBJ previous = SelectObject(screen, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
  RECT client = ClientArea(screen);

  // No WS_CLIPCHILDREN: a group box paints only its frame and relies on the
  // window painting what lies within it.
  DWORD style = WS_CAPTION | WS_SYSMENU;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (box) {
    style |= WS_POPUP;
    exStyle |= WS_EX_DLGMODALFRAME;
    if (window_.BoxInfo()->style != 0) exStyle |= WS_EX_TOPMOST;  // a system-modal box stays on top
  } else {
    style |= WS_OVERLAPPED | WS_MINIMIZEBOX;
  }
  RECT frame = client;
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (def.x != rt::DefaultPosition && def.y != rt::DefaultPosition) {
    x = rt::UnitsToPixelsX(def.x, units_);
    y = rt::UnitsToPixelsY(def.y, units_);
  } else if (owner || box) {
    // A window over another, and every message box, stands in the middle of
    // its owner, or of the screen's work area.
    RECT around{};
    if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    x = std::max<int>(0, around.left + (around.right - around.left - width) / 2);
    y = std::max<int>(0, around.top + (around.bottom - around.top - height) / 2);
  }
  hwnd_ = CreateWindowExA(exStyle, kWindowClass, window_.Title().c_str(), style, x, y, width, height, owner, nullptr,
                          Instance(), this);
  if (!hwnd_) {
    error_ = "the system refused to make the window (error " + std::to_string(GetLastError()) + ")";
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return;
  }
  nativeWindows[hwnd_] = this;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  children_.resize(def.controls.size());
  for (std::size_t i = 0; i < def.controls.size(); ++i) CreateChild(i, screen);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);

  if (box && window_.BoxInfo()->escapeValue == 0) {
    // A box that only its buttons can answer has no working close box.
    EnableMenuItem(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  AddCommands();
  ++updating_;
  Refresh(0);
  for (Child& c : children_) RefreshChild(c);
  --updating_;
  if (owner && IsWindowEnabled(owner)) {
    owner_ = owner;
    EnableWindow(owner_, FALSE);
  }
  // The control that is to have the focus is known before the window shows,
  // so that its activation gives the focus there at once: it never rests on
  // another control first.
  lastFocus_ = window_.Focus();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  if (HWND focus = ControlHandle(lastFocus_)) SetFocus(focus);
  created_ = true;
  // The first resize tells the window it has its size; later ones come from
  // the user (a minimised window restored).
  Post(rt::EventWindowResized, 0, rt::Window::KeepKeyCode);
}

void NativeWindow::CreateChild(std::size_t index, HDC dc) {
  const rt::ControlDef& def = window_.Def().controls[index];
  Child& child = children_[index];
  child.def = &def;
  SIZE autoSize = AutoSize(def, dc);
  const int x = rt::UnitsToPixelsX(def.x, units_), y = rt::UnitsToPixelsY(def.y, units_);
  const int w = def.width ? rt::UnitsToPixelsX(def.width, units_) : autoSize.cx;
  int h = def.height ? rt::UnitsToPixelsY(def.height, units_) : autoSize.cy;
  // A message box's text is one static control, its first line's, that
  // reaches down to the last line: a screen reader reads it whole. The lines
  // after the first have no window of their own.
  const std::vector<int32_t> lines = def.kind == ControlKind::Prompt ? window_.BoxLines() : std::vector<int32_t>{};
  if (!lines.empty() && def.number != lines.front()) return;
  if (lines.size() > 1) {
    for (const rt::ControlDef& last : window_.Def().controls)
      if (last.number == lines.back()) h = rt::UnitsToPixelsY(last.y + last.height, units_) - y;
  }

  // A radio that follows another of its option group continues the group the
  // arrow keys move through; every other control starts one.
  bool continuesGroup = false;
  if (def.kind == ControlKind::Radio && index > 0) {
    const rt::ControlDef& before = window_.Def().controls[index - 1];
    continuesGroup = before.kind == ControlKind::Radio && window_.GroupOf(before.number) == window_.GroupOf(def.number);
  }
  DWORD style = WS_CHILD | (continuesGroup ? 0 : WS_GROUP);
  DWORD exStyle = 0;
  const char* cls = "STATIC";
  switch (def.kind) {
    case ControlKind::Prompt:
      // A message's text is shown as it is, in the lines it is laid out in.
      if (IsBox(window_))
        style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
      else
        style |= def.width ? SS_LEFT : SS_LEFTNOWORDWRAP;
      break;
    case ControlKind::Entry:
    case ControlKind::Spin:
      cls = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      cls = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::OptionGroup:
    case ControlKind::Group:
    case ControlKind::Sheet:  // FIXME: a tab sheet is drawn as a plain frame; no window in this program opens one
      cls = "BUTTON";
      style |= BS_GROUPBOX;
      break;
    case ControlKind::Radio:
      cls = "BUTTON";
      style |= BS_AUTORADIOBUTTON;  // the tab stop goes to the chosen radio (RefreshChecks)
      break;
    case ControlKind::CheckBox:
      cls = "BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case ControlKind::List:
      cls = WC_LISTVIEWA;
      style |= WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Image:
      style |= SS_ICON | SS_CENTERIMAGE;
      break;
    case ControlKind::Text:
      cls = "EDIT";
      style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_LEFT;
      break;
  }
  child.hwnd = CreateWindowExA(exStyle, cls, "", style, x, y, w, h, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(def.number)), Instance(), nullptr);
  if (!child.hwnd) return;
  SendMessageA(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  if (def.kind == ControlKind::Entry || def.kind == ControlKind::Spin) {
    if (std::size_t limit = rt::PictureTextLimit(def.picture)) SendMessageA(child.hwnd, EM_LIMITTEXT, limit, 0);
  }
  if (def.kind == ControlKind::Spin) {
    child.upDown = CreateWindowExA(
        0, UPDOWN_CLASSA, "", WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
        hwnd_, reinterpret_cast<HMENU>(static_cast<intptr_t>(def.number + kUpDownIdOffset)), Instance(), nullptr);
    if (child.upDown) {
      SendMessageA(child.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(child.hwnd), 0);
      const rt::SpinRange range = rt::PictureSpinRange(def.picture);
      SendMessageA(child.upDown, UDM_SETRANGE32, static_cast<WPARAM>(range.low), static_cast<LPARAM>(range.high));
      UDACCEL step{0, static_cast<UINT>(def.increment > 0 ? def.increment : 1)};
      SendMessageA(child.upDown, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    }
  }
  if (def.kind == ControlKind::List) {
    SendMessageA(child.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    std::vector<rt::ListColumn> columns = rt::ParseListFormat(def.format);
    if (columns.empty()) columns.emplace_back();  // a list without a format shows one plain column
    for (std::size_t i = 0; i < columns.size(); ++i) {
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
      column.fmt = columns[i].align == 'R' ? LVCFMT_RIGHT : columns[i].align == 'C' ? LVCFMT_CENTER : LVCFMT_LEFT;
      column.cx =
          columns[i].width ? rt::UnitsToPixelsX(columns[i].width, units_) : w / static_cast<int>(columns.size());
      column.pszText = const_cast<char*>(columns[i].header.c_str());
      column.iSubItem = static_cast<int>(i);
      SendMessageA(child.hwnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
  }
}

LRESULT CALLBACK NativeWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  // Messages sent while CreateWindowEx runs reach the object before hwnd_ is
  // set; they need nothing of it.
  if (!self || !self->hwnd_) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Receive(message, wParam, lParam);
}

}  // namespace win32
