// The box behaviour table on Windows: the runtime's own box drawn by the
// win32 backend, and the system's MessageBoxA that the native message hook
// shows. A person on another thread reads each box and answers it with
// clicks and keys, as the dialog manager receives them.
// The declarations first: the Windows headers define their constants' names
// as macros.
// clang-format off
#include "platform/Win32Api.h"
#include "Win32Fixture.h"
// clang-format on
#include <algorithm>
#include <thread>

#include "backends/win32/CountdownBox.h"
#include "backends/win32/DrawnCaption.h"
#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "support/BoxCases.h"

namespace win32_test {
namespace {

using box_cases::Act;
using box_cases::BoxCase;

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
  return TRUE;
}

std::string IconCode(HICON icon) {
  if (!icon) return {};
  const struct {
    LPCSTR resource;
    const std::string* code;
  } icons[] = {{IDI_HAND, &rt::IconHand},
               {IDI_QUESTION, &rt::IconQuestion},
               {IDI_EXCLAMATION, &rt::IconExclamation},
               {IDI_ASTERISK, &rt::IconAsterisk}};
  for (const auto& i : icons)
    if (LoadIconA(nullptr, i.resource) == icon) return *i.code;
  return "an icon of its own";
}

// A button's value by its caption, which may be counting down ("OK (5)").
int32_t ValueOfCaption(const std::string& caption) {
  for (const rt::BoxButton& b : rt::AllBoxButtons())
    if (caption == b.caption || caption.starts_with(std::string(b.caption) + " (")) return b.value;
  return 0;
}

bool Open(HWND box) { return IsWindow(box) && IsWindowVisible(box); }

bool OnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Runs on the person's thread: waits for the box, reads it, answers it.
void Person(const BoxCase& c, bool native, DWORD boxThread, box_cases::Seen& seen) {
  HWND box = nullptr;
  for (int i = 0; i < 200 && !box; ++i) {
    box = FindWindowA(native ? "#32770" : win32::kWindowClass, c.caption.c_str());
    if (box && !IsWindowVisible(box)) box = nullptr;
    if (!box) Sleep(25);
  }
  if (!box) return;
  // The box is read once it has settled: a button has the focus.
  GUITHREADINFO info{sizeof info};
  for (int i = 0; i < 80; ++i) {
    GetGUIThreadInfo(boxThread, &info);
    if (info.hwndFocus && ClassOf(info.hwndFocus) == "Button") break;
    Sleep(25);
  }
  seen.shown = true;
  if (info.hwndFocus && ClassOf(info.hwndFocus) == "Button") seen.focusedValue = ValueOfCaption(TextOf(info.hwndFocus));
  char title[256] = {};
  GetWindowTextA(box, title, sizeof title);
  seen.title = title;
  seen.systemModal = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  MENUITEMINFOA item{sizeof item, MIIM_STATE};
  GetMenuItemInfoA(GetSystemMenu(box, FALSE), SC_CLOSE, FALSE, &item);
  seen.closeBox = (item.fState & MFS_GRAYED) ? 0 : 1;
  RECT frame{}, area{};
  GetWindowRect(box, &frame);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  seen.fitsScreen =
      frame.bottom - frame.top <= area.bottom - area.top && frame.right - frame.left <= area.right - area.left;

  std::vector<HWND> children;
  EnumChildWindows(box, &CollectChild, reinterpret_cast<LPARAM>(&children));
  std::vector<std::pair<LONG, HWND>> buttons;
  for (HWND child : children) {
    if (!IsWindowVisible(child)) continue;
    const std::string cls = ClassOf(child);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (cls == "Button") {
      RECT at{};
      GetWindowRect(child, &at);
      buttons.push_back({at.left, child});
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) seen.defaultValue = ValueOfCaption(TextOf(child));
    } else if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
      seen.icon = IconCode(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
    } else if (!native && cls == "Static") {
      seen.lines = rt::SplitLineEnds(TextOf(child));
    } else if (cls == "Edit") {
      seen.lines = rt::SplitLineEnds(TextOf(child));
      SCROLLINFO scroll{sizeof scroll, SIF_RANGE | SIF_PAGE};
      seen.scrolls = GetScrollInfo(child, SB_VERT, &scroll) && scroll.nMax >= static_cast<int>(scroll.nPage);
    }
  }
  std::sort(buttons.begin(), buttons.end());
  // What the buttons show: a counting one draws its seconds itself.
  for (const auto& [x, button] : buttons) {
    const std::string drawn = win32::DrawnCaptionOf(button);
    seen.captions.push_back(drawn.empty() ? TextOf(button) : drawn);
  }

  HWND focus = info.hwndFocus ? info.hwndFocus : box;
  if (c.act == Act::Wait) return;  // the box presses its default when its time runs out
  if (c.act == Act::Press) {
    for (const auto& [x, button] : buttons)
      if (ValueOfCaption(TextOf(button)) == c.press) PostMessageA(button, BM_CLICK, 0, 0);
    return;
  }
  if (c.act == Act::Escape) PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
  // A person cannot click a close box that is greyed out.
  if (c.act == Act::Close && seen.closeBox) PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
  Sleep(300);
  seen.stayedOpen = Open(box);
  if (seen.stayedOpen) PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 1);
}

class Win32Drawer : public box_cases::Drawer {
 public:
  explicit Win32Drawer(bool native) : native_(native) {}
  const char* Name() const override { return native_ ? "Win32 native box" : "Win32 runtime box"; }
  bool Native() const override { return native_; }
  std::string CannotCheck(const BoxCase& c) const override {
    // Windows ignores Escape and the close box where there is no Cancel (OK
    // answers them in an OK box); Wine answers them all with IDCANCEL.
    if (native_ && c.act != Act::Press && !(c.buttons & rt::ButtonCancel) && OnWine())
      return "Wine answers Escape and the close box with Cancel where Windows does not";
    return {};
  }

  box_cases::Seen Show(const BoxCase& c) override {
    // The system's own MessageBoxA stands behind the hook, not the recorder.
    const os::Win32Calls before = os::InstallWin32Calls(
        {.messageBox = os::SystemCalls().messageBox, .countdownMessageBox = &win32::CountdownMessageBox});
    rt::SetProperty(rt::SystemTarget, rt::PropMessageHook,
                    native_ ? rt::FunctionAddressNumber(&quibra::NativeMessageHook) : int64_t{0});
    box_cases::Seen seen;
    std::thread person(Person, std::cref(c), native_, GetCurrentThreadId(), std::ref(seen));
    seen.result = rt::ShowBox(box_cases::RequestOf(c));
    person.join();
    os::InstallWin32Calls(before);
    return seen;
  }

 private:
  bool native_;
};

using BoxDrawers = Win32Test;

TEST_F(BoxDrawers, TheRuntimeBoxKeepsEveryRule) {
  Win32Drawer drawer(false);
  box_cases::ExpectEveryCase(drawer);
}

TEST_F(BoxDrawers, TheNativeBoxKeepsEveryRule) {
  Win32Drawer drawer(true);
  box_cases::ExpectEveryCase(drawer);
}

}  // namespace
}  // namespace win32_test
