// The runtime's own message box drawn by the win32 backend: a runtime window
// with the message's lines, icon and buttons, answered by a person.
#include <atomic>
#include <thread>

#include "Win32Fixture.h"
#include "runtime/MessageBox.h"

namespace win32_test {
namespace {

// What a person sees in the box, read from another thread while the box
// waits, and how the person answers.
struct Seen {
  bool shown = false;
  std::vector<std::string> lines;  // each static control's text
  bool linesShowAmpersands = true;  // the text is shown as it is, '&' included
  std::vector<std::string> buttons;
  std::string defaultButton;
  std::string focused;
  HWND owner = nullptr;
  bool closeBoxWorks = false;
  bool openAfterEscape = false;
};

struct RuntimeBoxCase {
  const char* label;
  std::string text, caption, icon;
  int32_t buttons, defaultButton;
  bool escapeFirst;    // Escape is pressed before any button
  const char* answer;  // the button then pressed; null: none
  int32_t result;
  std::vector<std::string> lines, captions;
  const char* defaultCaption;
  bool closeBox;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
  return TRUE;
}

HWND FindBox(const std::string& caption) {
  for (int i = 0; i < 200; ++i) {
    if (HWND box = FindWindowA(win32::kWindowClass, caption.c_str()); box && IsWindowVisible(box)) return box;
    Sleep(25);
  }
  return nullptr;
}

// Runs in the helper thread: reads the box, then answers it.
void AnswerRuntimeBox(const RuntimeBoxCase& c, DWORD boxThread, Seen& seen) {
  HWND box = FindBox(c.caption);
  if (!box) return;
  seen.shown = true;
  seen.owner = GetWindow(box, GW_OWNER);
  std::vector<HWND> children;
  EnumChildWindows(box, &Collect, reinterpret_cast<LPARAM>(&children));
  // The box is read once it has settled: its default button has the focus
  // (or, when none does, after two seconds).
  GUITHREADINFO info{sizeof info};
  for (int i = 0; i < 80; ++i) {
    GetGUIThreadInfo(boxThread, &info);
    if (info.hwndFocus && (GetWindowLongA(info.hwndFocus, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) break;
    Sleep(25);
  }
  HWND answer = nullptr;
  for (HWND child : children) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    const std::string text = TextOf(child);
    if (std::string(cls) == "Static" && (style & SS_TYPEMASK) != SS_ICON && IsWindowVisible(child)) {
      seen.lines.push_back(text);
      seen.linesShowAmpersands = seen.linesShowAmpersands && (style & SS_NOPREFIX);
    }
    if (std::string(cls) == "Button") {
      seen.buttons.push_back(text);
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) seen.defaultButton = text;
      if (child == info.hwndFocus) seen.focused = text;
      if (c.answer && text == c.answer) answer = child;
    }
  }
  MENUITEMINFOA item{sizeof item, MIIM_STATE};
  GetMenuItemInfoA(GetSystemMenu(box, FALSE), SC_CLOSE, FALSE, &item);
  seen.closeBoxWorks = !(item.fState & MFS_GRAYED);
  if (c.escapeFirst) {
    PostMessageA(info.hwndFocus ? info.hwndFocus : box, WM_KEYDOWN, VK_ESCAPE, 1);
    Sleep(300);
    seen.openAfterEscape = IsWindow(box) && IsWindowVisible(box);
  }
  if (answer) PostMessageA(answer, BM_CLICK, 0, 0);
}

using RuntimeBox = Win32Test;

// The box rules are checked with every drawer (BoxDrawersTest); here, what
// only the Windows controls can get wrong.
TEST_F(RuntimeBox, ShowsTheMessageAndReturnsThePressedButton) {
  const RuntimeBoxCase cases[] = {
      {"a question with an ampersand, default second",
       "Tom & Jerry|second line",
       "Ampersand",
       rt::IconQuestion,
       rt::ButtonYes | rt::ButtonNo,
       2,
       false,
       "&No",
       rt::ButtonNo,
       {"Tom & Jerry\r\nsecond line"},  // one static control, read whole
       {"&Yes", "&No"},
       "&No",
       false},
  };
  for (const RuntimeBoxCase& c : cases) {
    SCOPED_TRACE(c.label);
    Seen seen;
    std::thread person(AnswerRuntimeBox, std::cref(c), GetCurrentThreadId(), std::ref(seen));
    const int32_t result = rt::MessageBox(c.text, c.caption, c.icon, c.buttons, c.defaultButton, 0);
    person.join();
    ASSERT_TRUE(seen.shown) << "no box titled '" << c.caption << "' appeared";
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seen.lines, c.lines);
    EXPECT_TRUE(seen.linesShowAmpersands);
    EXPECT_EQ(seen.buttons, c.captions);
    EXPECT_EQ(seen.defaultButton, c.defaultCaption);
    EXPECT_EQ(seen.focused, c.defaultCaption) << "the default button has the focus";
    EXPECT_EQ(seen.closeBoxWorks, c.closeBox);
    if (c.escapeFirst) {
      EXPECT_EQ(seen.openAfterEscape, c.answer != nullptr);
    }
    EXPECT_EQ(FindWindowA(win32::kWindowClass, c.caption.c_str()), nullptr) << "the box is gone";
  }
}

TEST_F(RuntimeBox, StandsOverTheCurrentWindowAndHoldsIt) {
  rt::Window* form = Open(TestForm());
  HWND formHwnd = Native(form).Handle();
  const RuntimeBoxCase c{"over a form", "Careful", "Over", "", rt::ButtonOk, 0, false, "OK", rt::ButtonOk, {}, {}, "", true};
  Seen seen;
  std::atomic<bool> formEnabledMeanwhile{true};
  std::thread person([&] {
    if (FindBox(c.caption)) formEnabledMeanwhile = IsWindowEnabled(formHwnd) != 0;
    AnswerRuntimeBox(c, GetWindowThreadProcessId(formHwnd, nullptr), seen);
  });
  EXPECT_EQ(rt::MessageBox(c.text, c.caption, c.icon, c.buttons, c.defaultButton, 0), rt::ButtonOk);
  person.join();
  EXPECT_EQ(seen.owner, formHwnd);
  EXPECT_FALSE(formEnabledMeanwhile) << "the form waits while the box is open";
  EXPECT_TRUE(IsWindowEnabled(formHwnd)) << "and takes input again afterwards";
}

}  // namespace
}  // namespace win32_test
