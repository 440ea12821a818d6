#pragma once
// The rules of a message box, kept once for every drawer: the runtime's own
// box, the native message hook and the platforms' native boxes behind
// MessageBoxA. Which buttons a button set has and their order, captions and
// access keys; which button is the default; what Escape and the close box
// answer; and how a native result maps back to a button.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Backend.h"

namespace rt {

struct BoxRequest;

struct BoxButton {
  int32_t value;        // its ButtonSet bit
  int32_t nativeId;     // what MessageBoxA returns for it; 0: it never closes a native box
  const char* caption;  // as shown, '&' before its access key
  const char* name;     // as a report names it: "YES"
};

// Every button, in the order buttons stand in a box, left to right.
std::span<const BoxButton> AllBoxButtons();

// The buttons of a ButtonSet sum, left to right; only the eight known bits
// count. An empty sum has none.
std::vector<BoxButton> ButtonsOf(int32_t set);

// The ButtonSet sum of a MessageBoxA type (MB_OK .. MB_RETRYCANCEL, the six
// sets a native box can show); 0 for a type that is none of them.
int32_t ButtonSetOfType(uint32_t type);

// Which of the shown buttons is the default, from 0: a default of 2 or 3
// names a place (so 2 is always the second button, also where 2 is YES's
// value), any other value the button that has it; anything else is the first.
std::size_t DefaultPlace(const std::vector<BoxButton>& shown, int32_t defaultButton);

// Which of a native box's `buttons` buttons is its default, from 0: the place
// its MB_DEFBUTTONn bits name, the first button where the set has no such place.
std::size_t NativeDefaultPlace(uint32_t flags, std::size_t buttons);

// What Escape and the close box answer: Cancel where the set has it, OK in a
// box whose only answer is OK; 0 where they do nothing (the close box is then
// disabled).
int32_t EscapeValue(int32_t set);

// A button as a box shows it, the caller's captions and added buttons
// included.
struct ShownButton {
  int32_t value;        // its ButtonSet bit, or kFirstExtraButton and up for an added one
  std::string caption;  // as drawn: '&' before its access key, "&&" for an '&'
  std::string name;     // as --print prints it: "YES", or an added button's label
  bool operator==(const ShownButton&) const = default;
};

// The buttons of a request, left to right: its set's buttons with the
// captions the caller chose, then the buttons it added. A set of none shows
// OK unless buttons were added; `native`: a set that no native box has shows
// OK, as MessageBoxA shows it.
std::vector<ShownButton> ButtonsOf(const BoxRequest& request, bool native);
// DefaultPlace for these buttons.
std::size_t DefaultPlace(const std::vector<ShownButton>& shown, int32_t defaultButton);
// What Escape and the close box answer in a box showing these buttons, by
// the request's rule; 0 where they do nothing.
int32_t EscapeValue(const BoxRequest& request, const std::vector<ShownButton>& shown);

// A caption as a person reads it: its access marks gone ("&Yes" is "Yes",
// "&&" one '&').
std::string WithoutAccessKeys(std::string_view caption);
// A caption's access key as a lower-case letter or digit ("&Yes" gives 'y');
// 0 where it has none ("OK", "Fish && Chips").
char AccessKeyOf(std::string_view caption);
// Where the access key stands in WithoutAccessKeys(caption); npos: none.
std::size_t AccessKeyPlace(std::string_view caption);

// A default button's caption while its box counts down: "OK (5)".
std::string CountdownCaption(std::string_view caption, int32_t secondsLeft);
// What a screen reader reads of the seconds left, as the button's
// description ("Pressed in 30 seconds"): the button's name stays its caption,
// and the description changes once every ten seconds from the start, so that
// the countdown is not read out every second. Empty when it is to stay as it
// is this second.
std::string CountdownDescription(int32_t timeout, int32_t secondsLeft);

// A native result as a ButtonSet value, and back; 0 where there is none.
int32_t ButtonOfNativeId(int32_t id);
int32_t NativeIdOfButton(int32_t value);

// A box's text wraps at this many characters, about the width Windows gives
// the text of its own message boxes; a narrower screen wraps it sooner.
constexpr std::size_t kBoxWrapColumns = 80;

// A message box's layout in dialog units.
namespace box_layout {
constexpr int32_t kMargin = 7;
constexpr int32_t kIconSize = 21;
constexpr int32_t kIconGap = 8;
constexpr int32_t kLineHeight = 8;
constexpr int32_t kCharWidth = 4;
constexpr int32_t kButtonWidth = 50;
constexpr int32_t kButtonHeight = 14;
constexpr int32_t kButtonGap = 6;
constexpr int32_t kButtonsAbove = 10;  // between the text and the buttons
constexpr int32_t kMinWidth = 120;
constexpr int32_t kScrollBarWidth = 10;  // beside a text that scrolls
// Room the native frame and title bar take around the box's client area.
constexpr int32_t kFrameWidth = 6;
constexpr int32_t kFrameHeight = 20;
}  // namespace box_layout

// How much text a box shows on a screen: the columns a line may have before
// it wraps, and the lines that fit on the screen's work area beside the
// box's frame, margins and buttons; a longer text scrolls.
struct BoxTextArea {
  std::size_t columns;
  std::size_t lines;
};
BoxTextArea TextAreaOn(ScreenArea screen, bool icon);

// A box's text as lines: trailing blanks dropped, then broken at '|' and at
// line ends (CR LF, LF or CR alone).
std::vector<std::string> SplitBoxText(std::string_view text);
// A native box's text as lines: broken at line ends only, as MessageBoxA
// breaks them.
std::vector<std::string> SplitLineEnds(std::string_view text);
// Lines longer than `columns` wrapped at the last blank that lets them fit
// (the blank goes), or cut where a word alone is longer.
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, std::size_t columns);

// How much of a request's text a box shows on a screen: TextAreaOn, with as
// many columns as the caller's width (in pixels, at 96 dots an inch) leaves
// for the text where it gave one.
BoxTextArea TextAreaOf(const BoxRequest& request, ScreenArea screen, bool icon);

// The lines of a request's text as a box shows them: its markup read as
// plain text (BoxMarkup.h), broken where that markup breaks lines, then
// wrapped at `columns`, left long, or cut there with "...", as its wrap says.
std::vector<std::string> TextLines(const BoxRequest& request, std::size_t columns);

// The MessageBoxA flag of an icon code (compared as it is); 0 for none.
uint32_t IconFlag(const std::string& icon);
// The MessageBoxA icon flag of the icon an image control shows for its text:
// its icon code, the code padded with blanks counting as the code; 0 (no
// icon) for anything else, IconNone included.
uint32_t ImageIconFlag(std::string_view text);
// The icon code of a MessageBoxA icon flag; empty for none.
std::string IconOfFlag(uint32_t flags);
// What an icon says to a person who cannot see it ("Question"); empty for none.
const char* IconName(const std::string& icon);

// The MessageBoxA flags of a request: its type and default (MB_OK and the
// first button for a set no native box has), its icon and its modality.
uint32_t NativeFlags(const BoxRequest& request);

// The report of a pressed button ("BUTTON:YES was pressed"); empty for a
// value that is no button (0: no button was pressed).
std::string PressedReport(int32_t value);

}  // namespace rt
