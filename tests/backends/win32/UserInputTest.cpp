// What the user does in a native window reaches the runtime as its events:
// accepted controls, selections, close requests and keys.
#include <functional>

#include "Win32Fixture.h"
#include "runtime/Address.h"
#include "runtime/Backend.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"

namespace win32_test {
namespace {

constexpr int32_t kAnyKey = -2;
constexpr int32_t kSelected = rt::EventControlSelected;
constexpr int32_t kAccepted = rt::EventControlAccepted;

LPARAM AltDown() { return 1 | (1 << 29); }

// The open form as an action sees it.
struct Form {
  rt::Window* w;
  HWND top;
  std::function<HWND(int32_t)> control;
};

struct InputCase {
  const char* label;
  // Acts on the open form (the focus is in the entry, control 2, at first).
  std::function<void(const Form&)> act;
  std::vector<SeenEvent> expected;  // events of the codes the test looks at
  int32_t contentsOf = 0;      // a control whose contents the act changes
  const char* contents = "";
};

class UserInput : public Win32Test {
 protected:
  Form Of(rt::Window* w) {
    return {w, Native(w).Handle(), [this, w](int32_t n) { return Control(w, n); }};
  }
};

void Key(HWND to, UINT vk) { PostMessageA(to, WM_KEYDOWN, vk, 1); }

TEST_F(UserInput, EachActionQueuesTheEventsAUserCauses) {
  const InputCase cases[] = {
      {"a click on a button selects and accepts it",
       [](const Form& f) { PostMessageA(f.control(8), BM_CLICK, 0, 0); },
       {{kSelected, 8, 0, 0}, {kAccepted, 8, 8, rt::KeyMouseLeft}}},
      {"a click on a radio chooses it for its option group",
       [](const Form& f) { PostMessageA(f.control(5), BM_CLICK, 0, 0); },
       {{kSelected, 5, 0, 0}, {kAccepted, 3, 3, rt::KeyMouseLeft}},
       3,
       "L"},
      {"a click on the check box turns it on",
       [](const Form& f) { PostMessageA(f.control(6), BM_CLICK, 0, 0); },
       {{kSelected, 6, 0, 0}, {kAccepted, 6, 6, rt::KeyMouseLeft}},
       6,
       "1"},
      {"an edit is accepted when the focus leaves the entry",
       [](const Form& f) {
         SendMessageA(f.control(2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Zoe"));
         PostMessageA(f.control(8), BM_CLICK, 0, 0);
       },
       {{kAccepted, 2, 2, 0}, {kSelected, 8, 0, 0}, {kAccepted, 8, 8, rt::KeyMouseLeft}},
       2,
       "Zoe"},
      {"an edit alone is not accepted while the focus stays",
       [](const Form& f) { SendMessageA(f.control(2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Al")); },
       {},
       2,
       "Al"},
      {"the close box asks the window to close",
       [](const Form& f) { PostMessageA(f.top, WM_CLOSE, 0, 0); },
       {{rt::EventCloseRequested, 0, 0, 0}}},
      {"Escape asks the window to close",
       [](const Form& f) { Key(f.control(2), VK_ESCAPE); },
       {{rt::EventCloseRequested, 0, 0, rt::KeyEscape}}},
      {"Enter presses the default button",
       [](const Form& f) {
         f.w->SetProperty(8, rt::PropDefaultButton, 0, rt::Value(1));
         Key(f.control(2), VK_RETURN);
       },
       {{kAccepted, 8, 8, rt::KeyEnter}}},
      {"Enter on a focused button presses that button",
       [](const Form& f) {
         f.w->SetProperty(8, rt::PropDefaultButton, 0, rt::Value(1));
         f.w->SetProperty(9, rt::PropHide, 0, rt::Value(0));
         f.w->Select(9);
         Key(f.control(9), VK_RETURN);
       },
       {{kAccepted, 9, 9, rt::KeyEnter}}},
      {"Enter without a default button does nothing", [](const Form& f) { Key(f.control(2), VK_RETURN); }, {}},
      {"Tab moves to the next control that takes input",
       [](const Form& f) { Key(f.control(2), VK_TAB); },
       {{kSelected, 4, 0, 0}}},
      {"an edited entry left by Tab is accepted first",
       [](const Form& f) {
         SendMessageA(f.control(2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Tab"));
         Key(f.control(2), VK_TAB);
       },
       {{kAccepted, 2, 2, 0}, {kSelected, 4, 0, 0}},
       2,
       "Tab"},
      {"the access key of a button presses it",
       [](const Form& f) { PostMessageA(f.top, WM_SYSCHAR, 'g', AltDown()); },
       {{kSelected, 8, 0, 0}, {kAccepted, 8, 8, kAnyKey}}},
      {"the access key of a radio chooses it",
       [](const Form& f) { PostMessageA(f.top, WM_SYSCHAR, 'l', AltDown()); },
       {{kSelected, 5, 0, 0}, {kAccepted, 3, 3, kAnyKey}},
       3,
       "L"},
      {"the access key of a prompt moves to the control after it",
       [](const Form& f) {
         f.w->Select(6);
         PostMessageA(f.top, WM_SYSCHAR, 'n', AltDown());
       },
       {{kSelected, 2, 0, 0}}},
      {"an alerted key is reported for the focused control, and only then",
       [](const Form& f) {
         f.w->SetProperty(2, rt::PropAlertedKeys, 1, rt::Value(static_cast<int32_t>(VK_F2)));
         Key(f.control(2), VK_F2);
         Key(f.control(2), VK_F3);
       },
       {{rt::EventAlertedKey, 2, 0, VK_F2}}},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.label);
    rt::Window* w = Open(TestForm());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(GetFocus(), Control(w, 2));
    rt::SetKeyCode(0);
    c.act(Of(w));
    std::vector<SeenEvent> seen =
        Events(w, {kSelected, kAccepted, rt::EventCloseRequested, rt::EventAlertedKey, rt::EventSelectionChanged});
    ASSERT_EQ(seen.size(), c.expected.size()) << testing::PrintToString(seen);
    for (std::size_t i = 0; i < seen.size(); ++i) {
      SeenEvent want = c.expected[i];
      if (want.key == kAnyKey) want.key = seen[i].key;
      EXPECT_EQ(seen[i], want) << "event " << i;
    }
    if (c.contentsOf) {
      EXPECT_EQ(w->Contents(c.contentsOf), c.contents);
    }
    EXPECT_TRUE(w->IsOpen()) << "only the program closes a window";
    rt::ReleaseWindow(w);
  }
}

// Holds modifier keys down in this thread's keyboard state, as the key
// messages the test posts do not.
struct HeldKeys {
  BYTE before[256] = {};
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(before);
    BYTE state[256] = {};
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(before); }
};

TEST_F(UserInput, TheWindowsCommandsAreInItsSystemMenuAndUnderTheirShortcuts) {
  rt::WindowDef def = TestForm();
  def.commands = {{1, "Copy as &command line", "Ctrl+Shift+C"}, {2, "Copy as C &call", ""}};
  rt::Window* w = Open(def);
  ASSERT_NE(w, nullptr);
  HMENU system = GetSystemMenu(Native(w).Handle(), FALSE);
  const int count = GetMenuItemCount(system);
  ASSERT_GE(count, 3);
  char text[64] = {};
  GetMenuStringA(system, count - 2, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Copy as &command line\tCtrl+Shift+C");
  GetMenuStringA(system, count - 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Copy as C &call");
  EXPECT_EQ(GetMenuItemID(system, count - 3), 0u) << "a separator before them";

  PostMessageA(Native(w).Handle(), WM_SYSCOMMAND, GetMenuItemID(system, count - 1), 0);
  EXPECT_EQ(Events(w, {rt::EventCommand}), (std::vector<SeenEvent>{{rt::EventCommand, 0, 0, 2}}));
  {
    HeldKeys held{VK_CONTROL, VK_SHIFT};
    Key(Control(w, 2), 'C');
    EXPECT_EQ(Events(w, {rt::EventCommand}), (std::vector<SeenEvent>{{rt::EventCommand, 0, 0, 1}}));
  }
  {
    HeldKeys held{VK_CONTROL};
    Key(Control(w, 2), 'C');
    EXPECT_TRUE(Events(w, {rt::EventCommand}).empty()) << "Ctrl+C alone is the entry's copy";
  }
  rt::ReleaseWindow(w);
}

TEST_F(UserInput, TextPutOnTheClipboardReadsBackWithWindowsLineEnds) {
  rt::Window* w = Open(TestForm());
  ASSERT_NE(w, nullptr);
  rt::SetClipboardText("quibrad 'two\nlines'");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  EXPECT_STREQ(text ? text : "", "quibrad 'two\r\nlines'");
  if (text) GlobalUnlock(data);
  CloseClipboard();
  rt::ReleaseWindow(w);
}

TEST_F(UserInput, TheSpinArrowsStepTheFieldWithinItsPicture) {
  rt::CString<11> name;
  rt::CString<4> size;
  int32_t urgent = 0, value = 8;
  rt::Window* w = Open(TestForm(), {rt::Bind(name), rt::Bind(size), rt::Bind(urgent), rt::Bind(value)});
  ASSERT_NE(w, nullptr);
  HWND arrows = GetDlgItem(Native(w).Handle(), 7 + win32::kUpDownIdOffset);
  RECT r{};
  GetClientRect(arrows, &r);
  const LPARAM upper = MAKELPARAM(r.right / 2, r.bottom / 4);
  for (int i = 0; i < 3; ++i) {
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, upper);
    SendMessageA(arrows, WM_LBUTTONUP, 0, upper);
  }
  EXPECT_EQ(TextOf(Control(w, 7)), "9") << "n1 allows no more than 9";
  EXPECT_EQ(w->Contents(7), "9");
  // The field is accepted when the user moves on.
  PostMessageA(Control(w, 8), BM_CLICK, 0, 0);
  std::vector<SeenEvent> seen = Events(w, {kAccepted});
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), (SeenEvent{kAccepted, 7, 7, seen.front().key}));
  EXPECT_EQ(value, 9);
}

std::string Rows(void*, int32_t row, int32_t column) {
  if (row == -1) return "3";
  if (row == -2) return "2";
  if (row < 1) return "1";
  return (column == 1 ? "row " : "size ") + std::to_string(row);
}

TEST_F(UserInput, AListShowsTheRowsOfItsCallbackAndReportsTheUsersChoice) {
  rt::Window* w = Open(TestForm());
  ASSERT_NE(w, nullptr);
  HWND list = Control(w, 10);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0) << "no rows before the callback";
  w->SetProperty(10, rt::PropListSelection, 0, rt::Value(3));
  w->SetProperty(10, rt::PropListRowCallback, 0, rt::Value(rt::FunctionAddressNumber(&Rows)));
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2) << "row 3 is selected";
  char text[64] = {};
  LVITEMA item{};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "size 2");
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2) << "the format's two columns";
  Events(w);

  // The user picks row 1.
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  std::vector<SeenEvent> seen = Events(w, {rt::EventSelectionChanged});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].control, 10);
  EXPECT_EQ(w->GetProperty(10, rt::PropListSelection, 0).Number(), 1);
}

}  // namespace
}  // namespace win32_test
