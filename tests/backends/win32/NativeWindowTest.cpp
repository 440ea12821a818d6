// Real windows from a window definition: standard controls with the control
// numbers as ids, placed in dialog units, showing what the program sets.
#include "Win32Fixture.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"
#include "support/HaltIntercept.h"

namespace win32_test {
namespace {

using rt::ControlKind;

LONG StyleOf(HWND hwnd) { return GetWindowLongA(hwnd, GWL_STYLE); }

RECT RectInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(Win32Test, EveryControlIsAStandardControlWithItsNumberAsId) {
  rt::Window* w = Open(TestForm());
  HWND top = Native(w).Handle();
  EXPECT_EQ(ClassOf(top), win32::kWindowClass);
  EXPECT_EQ(TextOf(top), "Form");
  struct Case {
    int32_t number;
    const char* cls;
    LONG typeMask, type;  // the style bits that make the kind
    bool visible;
    // Starts a group: a screen reader and the arrow keys take a group box's
    // radios as one choice, from its first radio to the next control.
    bool startsGroup;
  } cases[] = {
      {1, "Static", 0, 0, true, true},
      {2, "Edit", 0, 0, true, true},
      {3, "Button", BS_TYPEMASK, BS_GROUPBOX, true, true},
      {4, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, true, true},
      {5, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, true, false},
      {6, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX, true, true},
      {7, "Edit", 0, 0, true, true},
      {8, "Button", BS_TYPEMASK, BS_PUSHBUTTON, true, true},
      {9, "Button", BS_TYPEMASK, BS_PUSHBUTTON, false, true},
      {10, "SysListView32", LVS_TYPEMASK | LVS_OWNERDATA, LVS_REPORT | LVS_OWNERDATA, true, true},
      {11, "Static", SS_TYPEMASK, SS_ICON, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("control " + std::to_string(c.number));
    HWND hwnd = Control(w, c.number);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetDlgItem(top, c.number), hwnd);
    EXPECT_EQ(ClassOf(hwnd), c.cls);
    EXPECT_EQ(StyleOf(hwnd) & c.typeMask, c.type);
    EXPECT_EQ(IsWindowVisible(hwnd) != 0, c.visible);
    EXPECT_EQ((StyleOf(hwnd) & WS_GROUP) != 0, c.startsGroup);
  }
  HWND arrows = GetDlgItem(top, 7 + win32::kUpDownIdOffset);
  EXPECT_EQ(ClassOf(arrows), "msctls_updown32");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)), Control(w, 7));
  EXPECT_EQ(SendMessageA(Control(w, 2), EM_GETLIMITTEXT, 0, 0), 10) << "the picture s10 limits the entry";
}

TEST_F(Win32Test, ControlsStandWhereTheDefinitionPutsThemInDialogUnits) {
  rt::Window* w = Open(TestForm());
  const rt::BaseUnits& u = Native(w).Units();
  auto px = [&](int32_t x, int32_t y, int32_t width, int32_t height) {
    return RECT{rt::UnitsToPixelsX(x, u), rt::UnitsToPixelsY(y, u), rt::UnitsToPixelsX(x + width, u),
                rt::UnitsToPixelsY(y + height, u)};
  };
  RECT client{};
  GetClientRect(Native(w).Handle(), &client);
  EXPECT_EQ(client.right, rt::UnitsToPixelsX(200, u));
  EXPECT_EQ(client.bottom, rt::UnitsToPixelsY(120, u));
  struct Case {
    int32_t number;
    int32_t x, y, width, height;
  } cases[] = {
      {2, 40, 5, 80, 10}, {3, 5, 20, 100, 40}, {8, 110, 90, 40, 14}, {9, 155, 90, 40, 14}, {10, 5, 65, 100, 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("control " + std::to_string(c.number));
    RECT expected = px(c.x, c.y, c.width, c.height);
    RECT actual = RectInParent(Control(w, c.number));
    // Pixels are rounded once per edge, so a width may differ by one.
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_NEAR(actual.right, expected.right, 1);
    EXPECT_NEAR(actual.bottom, expected.bottom, 1);
  }
  // The spin field and its arrows share the field's place.
  RECT field = RectInParent(Control(w, 7));
  RECT arrows = RectInParent(GetDlgItem(Native(w).Handle(), 7 + win32::kUpDownIdOffset));
  EXPECT_EQ(field.left, rt::UnitsToPixelsX(110, u));
  EXPECT_NEAR(arrows.left, field.right, 2) << "the arrows meet the field (or overlap its border)";
  // The arrows overlap the field's border, so the pair may end up to two
  // pixels short of the field's right edge, never beyond it.
  EXPECT_LE(arrows.right, rt::UnitsToPixelsX(140, u));
  EXPECT_GE(arrows.right, rt::UnitsToPixelsX(140, u) - 2);
}

TEST_F(Win32Test, ControlsWithoutASizeAreAsLargeAsTheirText) {
  rt::Window* w = Open(TestForm());
  HDC dc = GetDC(Control(w, 1));
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(Control(w, 1), WM_GETFONT, 0, 0)));
  for (int32_t number : {1, 4, 5, 6}) {
    SCOPED_TRACE("control " + std::to_string(number));
    RECT text{0, 0, 0, 0};
    std::string shown = TextOf(Control(w, number));
    DrawTextA(dc, shown.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    RECT r = RectInParent(Control(w, number));
    EXPECT_GE(r.right - r.left, text.right) << "the text '" << shown << "' must not be cut";
    EXPECT_GE(r.bottom - r.top, text.bottom);
  }
  SelectObject(dc, old);
  ReleaseDC(Control(w, 1), dc);
}

TEST_F(Win32Test, TheNativeHandleIsTheWindowsAndGoesWithIt) {
  rt::Window* w = Open(TestForm());
  HWND top = Native(w).Handle();
  EXPECT_EQ(rt::GetProperty(w, 0, rt::PropHandle).Number(), reinterpret_cast<intptr_t>(top));
  EXPECT_EQ(backend_.NativeHandle(*w), reinterpret_cast<intptr_t>(top));
  rt::CloseWindow(w);
  EXPECT_FALSE(IsWindow(top));
  EXPECT_EQ(backend_.NativeHandle(*w), 0);
  EXPECT_EQ(rt::GetProperty(w, 0, rt::PropHandle).Number(), 0);
}

TEST_F(Win32Test, WhatTheProgramSetsIsShown) {
  rt::CString<11> name("Ann");
  rt::CString<4> size("S");
  int32_t urgent = 0, count = 3;
  rt::Window* w = Open(TestForm(), {rt::Bind(name), rt::Bind(size), rt::Bind(urgent), rt::Bind(count)});
  HWND top = Native(w).Handle();
  EXPECT_EQ(TextOf(Control(w, 2)), "Ann");
  EXPECT_EQ(TextOf(Control(w, 7)), "3");
  EXPECT_EQ(SendMessageA(Control(w, 4), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(StyleOf(Control(w, 4)) & WS_TABSTOP) << "the chosen radio is the group's tab stop";

  name = "Bob";
  size = "L";
  urgent = 1;
  w->Display(0);
  EXPECT_EQ(TextOf(Control(w, 2)), "Bob");
  EXPECT_EQ(SendMessageA(Control(w, 4), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(Control(w, 5), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(StyleOf(Control(w, 4)) & WS_TABSTOP);
  EXPECT_TRUE(StyleOf(Control(w, 5)) & WS_TABSTOP);
  EXPECT_EQ(SendMessageA(Control(w, 6), BM_GETCHECK, 0, 0), BST_CHECKED);

  w->SetProperty(0, rt::PropText, 0, rt::Value("Renamed"));
  EXPECT_EQ(TextOf(top), "Renamed");
  w->SetProperty(8, rt::PropText, 0, rt::Value("&Run"));
  EXPECT_EQ(TextOf(Control(w, 8)), "&Run");
  w->SetProperty(8, rt::PropHide, 0, rt::Value(1));
  w->SetProperty(9, rt::PropHide, 0, rt::Value(0));
  EXPECT_FALSE(IsWindowVisible(Control(w, 8)));
  EXPECT_TRUE(IsWindowVisible(Control(w, 9)));

  w->SetProperty(9, rt::PropDefaultButton, 0, rt::Value(1));
  EXPECT_EQ(StyleOf(Control(w, 9)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageA(top, DM_GETDEFID, 0, 0), MAKELRESULT(9, DC_HASDEFID));
  w->SetProperty(9, rt::PropDefaultButton, 0, rt::Value(0));
  EXPECT_EQ(StyleOf(Control(w, 9)) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(SendMessageA(top, DM_GETDEFID, 0, 0), 0);

  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Control(w, 11), STM_GETICON, 0, 0)),
            LoadIconA(nullptr, MAKEINTRESOURCEA(32513)));
  w->SetProperty(11, rt::PropText, 0, rt::Value(rt::IconQuestion));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Control(w, 11), STM_GETICON, 0, 0)),
            LoadIconA(nullptr, MAKEINTRESOURCEA(32514)));
  w->SetProperty(11, rt::PropText, 0, rt::Value(rt::IconNone));
  EXPECT_EQ(SendMessageA(Control(w, 11), STM_GETICON, 0, 0), 0);

  w->Select(6);
  EXPECT_EQ(GetFocus(), Control(w, 6));
  EXPECT_TRUE(Events(w, {rt::EventControlSelected, rt::EventControlAccepted}).empty())
      << "the program's own changes are no user's input";
}

TEST_F(Win32Test, TheCursorIsTheOneTheProgramNames) {
  struct Case {
    const char* label;
    std::string code;
    LPCSTR cursor;
  } cases[] = {
      {"the hourglass", std::string("\xFF\x02\x03\x7F", 4), IDC_WAIT},
      {"the cross", std::string("\xFF\x02\x04\x7F", 4), IDC_CROSS},
      {"back to normal", "", IDC_ARROW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    backend_.SetCursor(c.code);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, c.cursor));
  }
}

TEST_F(Win32Test, AWindowOpenedOverAnotherHoldsItUntilItCloses) {
  rt::Window* below = Open(TestForm());
  rt::WindowDef second = TestForm();
  second.name = "SECOND";
  second.caption = "Second";
  rt::Window* above = Open(second);
  HWND belowHwnd = Native(below).Handle();
  EXPECT_EQ(GetWindow(Native(above).Handle(), GW_OWNER), belowHwnd);
  EXPECT_FALSE(IsWindowEnabled(belowHwnd));
  rt::CloseWindow(above);
  EXPECT_TRUE(IsWindowEnabled(belowHwnd));
}

TEST_F(Win32Test, AWindowThatCannotBeShownHaltsInsteadOfWaitingForever) {
  rt::Window* w = rt::PrepareWindow(TestForm());
  ASSERT_NE(w, nullptr);
  try {
    backend_.WaitForEvent(*w);
    FAIL() << "waiting for a window without a native window returned";
  } catch (const quibra_test::Halted& halted) {
    EXPECT_NE(halted.text.find("'Form' cannot be shown"), std::string::npos) << halted.text;
  }
}

}  // namespace
}  // namespace win32_test
