// The button keeps its own window procedure for everything but drawing: a
// procedure put in front of it paints the frame and the drawn text after
// every message the system's button answers by painting itself, and the
// accessible description goes through oleacc's annotation service.
#include "backends/win32/DrawnCaption.h"

#include <string>

// clang-format off
#include <initguid.h>
#include <oleacc.h>
// clang-format on

namespace win32 {
namespace {

constexpr char kProperty[] = "QuibraDrawnCaption";

struct Drawn {
  WNDPROC proc = nullptr;  // the button's own procedure
  std::string text;
  std::string description;
};

Drawn* DrawnOf(HWND button) { return static_cast<Drawn*>(GetPropA(button, kProperty)); }

// Asks the button's own thread for its drawn text (wParam 0) or description
// (1) into the std::string at lParam: the thread that counts changes them.
UINT ReadMessage() {
  static const UINT message = RegisterWindowMessageA(kProperty);
  return message;
}

std::string Read(HWND button, WPARAM which) {
  std::string out;
  if (DrawnOf(button)) SendMessageA(button, ReadMessage(), which, reinterpret_cast<LPARAM>(&out));
  return out;
}

// The standard push button as the system draws it without visual styles,
// with another text.
void Paint(HWND button, HDC dc, const std::string& text) {
  RECT r{};
  GetClientRect(button, &r);
  const LRESULT state = SendMessageA(button, BM_GETSTATE, 0, 0);
  const LRESULT hidden = SendMessageA(button, WM_QUERYUISTATE, 0, 0);
  const bool pushed = (state & BST_PUSHED) != 0;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED | DFCS_FLAT : 0));
  if (pushed) OffsetRect(&r, 1, 1);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(button) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT textArea = r;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((hidden & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0));
  SelectObject(dc, font);
  if ((state & BST_FOCUS) && !(hidden & UISF_HIDEFOCUS)) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
  }
}

// The messages after which the system's button has painted itself at once,
// without waiting for WM_PAINT.
bool PaintsAtOnce(UINT message) {
  switch (message) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
      return true;
    default:
      return false;
  }
}

// COM's three calls, from ole32 loaded with the first countdown: a box
// that counts nothing down never loads it, and the program starts sooner.
struct Com {
  HRESULT(WINAPI* initialize)(void*, DWORD) = nullptr;
  HRESULT(WINAPI* create)(REFCLSID, IUnknown*, DWORD, REFIID, void**) = nullptr;
  void(WINAPI* uninitialize)() = nullptr;
};

const Com& LoadCom() {
  static const Com com = [] {
    Com c;
    if (HMODULE ole = LoadLibraryA("ole32.dll")) {
      c.initialize = reinterpret_cast<decltype(c.initialize)>(GetProcAddress(ole, "CoInitializeEx"));
      c.create = reinterpret_cast<decltype(c.create)>(GetProcAddress(ole, "CoCreateInstance"));
      c.uninitialize = reinterpret_cast<decltype(c.uninitialize)>(GetProcAddress(ole, "CoUninitialize"));
    }
    return c;
  }();
  return com;
}

void Describe(HWND button, const std::string& description) {
  const Com& c = LoadCom();
  if (!c.initialize || !c.create || !c.uninitialize) return;
  const HRESULT com = c.initialize(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(c.create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<void**>(&services)))) {
    if (description.empty()) {
      MSAAPROPID prop = PROPID_ACC_DESCRIPTION;
      services->ClearHwndProps(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &prop, 1);
    } else {
      std::wstring wide(description.size(), L'\0');
      wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, description.data(),
                                                               static_cast<int>(description.size()), wide.data(),
                                                               static_cast<int>(wide.size()))));
      services->SetHwndPropStr(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                               wide.c_str());
    }
    services->Release();
  }
  if (SUCCEEDED(com)) c.uninitialize();
}

LRESULT CALLBACK Procedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  Drawn* d = DrawnOf(button);
  if (!d) return DefWindowProcA(button, message, wParam, lParam);
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    if (HDC dc = BeginPaint(button, &paint)) Paint(button, dc, d->text);
    EndPaint(button, &paint);
    return 0;
  }
  if (message == WM_PRINTCLIENT) {
    Paint(button, reinterpret_cast<HDC>(wParam), d->text);
    return 0;
  }
  if (message == ReadMessage()) {
    *reinterpret_cast<std::string*>(lParam) = wParam ? d->description : d->text;
    return 1;
  }
  const WNDPROC proc = d->proc;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    RemovePropA(button, kProperty);
    if (!d->description.empty()) Describe(button, {});
    delete d;
    return CallWindowProcA(proc, button, message, wParam, lParam);
  }
  const LRESULT result = CallWindowProcA(proc, button, message, wParam, lParam);
  if (PaintsAtOnce(message) && IsWindowVisible(button)) {
    if (HDC dc = GetDC(button)) {
      Paint(button, dc, d->text);
      ReleaseDC(button, dc);
    }
  }
  return result;
}

}  // namespace

void DrawCaption(HWND button, const std::string& drawn, const std::string& description) {
  Drawn* d = DrawnOf(button);
  if (!d) {
    d = new Drawn;
    SetPropA(button, kProperty, d);
    d->proc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  }
  if (d->text != drawn) {
    d->text = drawn;
    InvalidateRect(button, nullptr, FALSE);
  }
  if (!description.empty() && description != d->description) {
    d->description = description;
    Describe(button, description);
  }
}

std::string DrawnCaptionOf(HWND button) { return Read(button, 0); }

std::string DescriptionOf(HWND button) { return Read(button, 1); }

}  // namespace win32
