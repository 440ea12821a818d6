#include "ComposerChecks.h"

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "Automation.h"
#include "composer/ComposerWindowDef.h"

namespace uia {
namespace {

using namespace quibra;  // the composer's control numbers

enum class Kind { Prompt, Entry, Group, Radio, Check, Push, Spin };

struct Expected {
  int id;
  Kind kind;
  const char* text;  // a prompt's or button's text, an entry's contents
  bool checked;      // radios and the check box: chosen at the start
  int group;         // a radio's option group
};

// The composer window as it opens, control by control.
const Expected kComposer[] = {
    {ControlMessageTextPrompt, Kind::Prompt, "Message Text:", false, 0},
    {ControlMessageText, Kind::Entry, "Test Message | Second Line", false, 0},
    {ControlMessageTitlePrompt, Kind::Prompt, "Message Title:", false, 0},
    {ControlMessageTitle, Kind::Entry, "Quibra Demo", false, 0},
    {ControlButtonStyle, Kind::Group, "Supported Button Styles", false, 0},
    {ControlButtonOk, Kind::Radio, "BUTTON:OK", true, ControlButtonStyle},
    {ControlButtonOkCancel, Kind::Radio, "BUTTON:OK + BUTTON:CANCEL", false, ControlButtonStyle},
    {ControlButtonYesNo, Kind::Radio, "BUTTON:YES + BUTTON:NO", false, ControlButtonStyle},
    {ControlButtonYesNoCancel, Kind::Radio, "BUTTON:YES + BUTTON:NO + BUTTON:CANCEL", false, ControlButtonStyle},
    {ControlButtonAbortRetryIgnore, Kind::Radio, "BUTTON:ABORT + BUTTON:RETRY + BUTTON:IGNORE", false,
     ControlButtonStyle},
    {ControlButtonRetryCancel, Kind::Radio, "BUTTON:RETRY + BUTTON:CANCEL", false, ControlButtonStyle},
    {ControlMessageIcon, Kind::Group, "Supported Icons", false, 0},
    {ControlIconNone, Kind::Radio, "ICON:None", false, ControlMessageIcon},
    {ControlIconExclamation, Kind::Radio, "ICON:Exclamation", true, ControlMessageIcon},
    {ControlIconAsterisk, Kind::Radio, "ICON:Asterisk", false, ControlMessageIcon},
    {ControlIconQuestion, Kind::Radio, "ICON:Question", false, ControlMessageIcon},
    {ControlIconHand, Kind::Radio, "ICON:Hand", false, ControlMessageIcon},
    {ControlDefaultButtonPrompt, Kind::Prompt, "Default Button:", false, 0},
    {ControlDefaultButton, Kind::Spin, "0", false, 0},
    {ControlSystemModal, Kind::Check, "System Modal Message", false, 0},
    {ControlMessageStyle, Kind::Group, "Message Box Style", false, 0},
    {ControlThreadSafe, Kind::Radio, "Thread Safe", true, ControlMessageStyle},
    {ControlRuntime, Kind::Radio, "Runtime", false, ControlMessageStyle},
    {ControlShowMessage, Kind::Push, "Show Message", false, 0},
    {ControlClose, Kind::Push, "Close", false, 0},
};

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Prompt:
      return "static text";
    case Kind::Entry:
      return "edit";
    case Kind::Group:
      return "group box";
    case Kind::Radio:
      return "auto radio button";
    case Kind::Check:
      return "auto check box";
    case Kind::Push:
      return "push button";
    case Kind::Spin:
      return "edit with up-down";
  }
  return "?";
}

bool IsKind(const Control& c, Kind kind) {
  const DWORD type = c.style & BS_TYPEMASK;
  switch (kind) {
    case Kind::Prompt:
      return c.className == "Static";
    case Kind::Entry:
    case Kind::Spin:
      return c.className == "Edit";
    case Kind::Group:
      return c.className == "Button" && type == BS_GROUPBOX;
    case Kind::Radio:
      return c.className == "Button" && type == BS_AUTORADIOBUTTON;
    case Kind::Check:
      return c.className == "Button" && type == BS_AUTOCHECKBOX;
    case Kind::Push:
      return c.className == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
  }
  return false;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The width the text needs in the window's font ("MS Sans Serif", 8 points),
// with the access-key marks taken out.
int TextWidth(const std::string& text) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                           0, 0, 0, 0, "MS Sans Serif");
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return r.right - r.left;
}

std::string Name(const Expected& e) { return "control " + std::to_string(e.id) + " (" + e.text + ")"; }

}  // namespace

void CheckComposerControls(HWND composer, Report& report) {
  std::map<int, Control> byId;
  for (const Control& c : Children(composer)) byId[c.id] = c;
  int found = 0;
  for (const Expected& e : kComposer) {
    auto it = byId.find(e.id);
    if (!report.Check(it != byId.end(), "control " + std::to_string(e.id) + " is found by its id")) continue;
    ++found;
    const Control& c = it->second;
    report.Check(IsKind(c, e.kind), Name(e) + " is a " + KindName(e.kind) + " (class " + c.className + ")");
    report.Equal(c.text, e.text, "control " + std::to_string(e.id) + " text");
    report.Check(c.visible, Name(e) + " is visible");
    if (e.kind == Kind::Radio || e.kind == Kind::Check)
      report.Equal(IsChecked(c.hwnd), e.checked, Name(e) + " checked at the start");
  }
  report.Equal(found, static_cast<int>(std::size(kComposer)), "the composer's controls found with their ids");
  report.Check(ChildById(composer, ControlDefaultButton + 0x4000).className == "msctls_updown32",
               "the spin field has up-down arrows (msctls_updown32)");
}

void CheckComposerLayout(HWND composer, Report& report) {
  RECT client{};
  GetClientRect(composer, &client);
  std::map<int, Control> byId;
  for (const Control& c : Children(composer)) byId[c.id] = c;
  std::vector<const Expected*> placed;
  for (const Expected& e : kComposer)
    if (byId.count(e.id)) placed.push_back(&e);
  bool allInside = true, noOverlap = true, groupsHold = true, textsFit = true;
  for (const Expected* e : placed) {
    const Control& c = byId[e->id];
    if (!Inside(c.rect, client)) {
      allInside = false;
      report.Note(Name(*e) + " reaches outside the window");
    }
    if (e->group && !Inside(c.rect, byId[e->group].rect)) {
      groupsHold = false;
      report.Note(Name(*e) + " stands outside its option group");
    }
    // Room for the text: a radio's or check box's mark and gap come first.
    int need = TextWidth(c.text);
    if (e->kind == Kind::Radio || e->kind == Kind::Check) need += 16;
    if (e->kind == Kind::Push || e->kind == Kind::Group) need += 8;
    if (e->kind != Kind::Entry && e->kind != Kind::Spin && need > c.rect.right - c.rect.left) {
      textsFit = false;
      report.Note(Name(*e) + " is " + std::to_string(c.rect.right - c.rect.left) + " pixels wide, its text needs " +
                  std::to_string(need));
    }
    for (const Expected* other : placed) {
      if (other->id <= e->id) continue;
      // A group box holds its radios; everything else stands apart.
      if (other->group == e->id || e->group == other->id) continue;
      if (Overlap(c.rect, byId[other->id].rect)) {
        noOverlap = false;
        report.Note(Name(*e) + " overlaps " + Name(*other));
      }
    }
  }
  report.Check(allInside, "every control lies within the window");
  report.Check(groupsHold, "every radio lies within its option group");
  report.Check(noOverlap, "no two controls overlap");
  report.Check(textsFit, "every text fits its control");
  // Dialog units: the same units across, the same units down.
  const RECT& show = byId[ControlShowMessage].rect;
  const RECT& close = byId[ControlClose].rect;
  report.Check(show.bottom - show.top == close.bottom - close.top && show.top == close.top,
               "the two buttons share their row and height");
  report.Check(byId[ControlMessageText].rect.left == byId[ControlMessageTitle].rect.left,
               "the two entries start at the same x");
}

void CheckTabOrder(HWND composer, Report& report) {
  // Tab visits each control that takes input once, an option group at its
  // chosen radio, and comes back to the first.
  const int expected[] = {ControlMessageTitle,  ControlButtonOk,    ControlIconExclamation,
                          ControlDefaultButton, ControlSystemModal, ControlThreadSafe,
                          ControlShowMessage,   ControlClose,       ControlMessageText};
  HWND focus = FocusOf(composer);
  report.Equal(GetDlgCtrlID(focus), int{ControlMessageText}, "the focus starts in the message text");
  std::string order = "2";
  bool ok = GetDlgCtrlID(focus) == ControlMessageText;
  for (int next : expected) {
    PressKey(focus, VK_TAB);
    HWND moved = WaitForWindow(
        [&] {
          HWND f = FocusOf(composer);
          return f != focus ? f : nullptr;
        },
        5000);
    focus = moved ? moved : focus;
    order += " " + std::to_string(GetDlgCtrlID(focus));
    ok = ok && moved && GetDlgCtrlID(focus) == next;
  }
  report.Check(ok, "Tab moves through 2 4 6 14 19 20 22 24 25 2: " + order);
}

}  // namespace uia
