#pragma once
// The runtime's message function. While the message-hook property (31285) of
// the system target holds a function, that function is called instead, with
// the same arguments, and its result is returned.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// ButtonSet bits.
enum ButtonBits : int32_t {
  ButtonOk = 1,
  ButtonYes = 2,
  ButtonNo = 4,
  ButtonAbort = 8,
  ButtonRetry = 16,
  ButtonIgnore = 32,
  ButtonCancel = 64,
  ButtonHelp = 128,
};

// Icon codes: short byte strings naming a message-box icon.
extern const std::string IconHand;         // FF 01 02 7F
extern const std::string IconQuestion;     // FF 01 03 7F
extern const std::string IconExclamation;  // FF 01 04 7F
extern const std::string IconAsterisk;     // FF 01 05 7F
extern const std::string IconNone;         // FF 01

// How a box's text is written.
enum class BoxMarkup : uint8_t {
  Bars,   // plain; '|' and line ends break lines (the runtime's own texts)
  Plain,  // plain; only line ends break lines
  Pango,  // the desktop's markup (<b>, <i>, <span ...>, &amp;); line ends break lines
  Html,   // rich text (<b>, <br>, <p>, &amp;); line ends are blanks
};

// What Escape and the close box answer.
enum class EscapeRule : uint8_t {
  Windows,     // Cancel where the set has it, OK in an OK-only box, else nothing
  DialogTool,  // always Cancel, as the desktop dialog tools answer them
};

// How a line longer than the box is wide is shown.
enum class BoxWrap : uint8_t { Wrap, NoWrap, Ellipsize };

// Buttons the caller adds after the set's own answer these values: the first
// kFirstExtraButton, the next one more.
constexpr int32_t kFirstExtraButton = 0x10000;

// A caption the caller chose for one of the set's buttons (its ButtonSet
// value), as drawers read captions: '&' before its access key, "&&" for an '&'.
struct BoxCaption {
  int32_t button;
  std::string caption;
  bool operator==(const BoxCaption&) const = default;
};

// A button the caller added: its caption as above, and its name as the
// command line prints it when it is pressed (the label as the caller wrote it).
struct AddedButton {
  std::string caption;
  std::string name;
  bool operator==(const AddedButton&) const = default;
};

// One message box as its caller asks for it, carried unchanged to whoever
// draws it: the runtime's own box, or the hook while one is installed.
struct BoxRequest {
  std::string text;            // see `markup`; trailing blanks are dropped
  std::string caption;         // the title
  std::string icon;            // an icon code; empty or unknown: no icon
  int32_t buttons = ButtonOk;  // a ButtonSet sum
  int32_t defaultButton = 0;   // a place (2, 3) or a button's value
  int32_t style = 0;           // non-zero: system-modal
  // Seconds until the box presses its default button by itself, counting
  // down on it ("OK (5)"); 0: the box waits for the user.
  int32_t timeout = 0;
  // What the caller left out; an omitted part is passed on as empty (the
  // button set as OK to the runtime's box).
  bool captionOmitted = false;
  bool iconOmitted = false;
  bool buttonsOmitted = false;

  // The rest is asked for by the command line's desktop dialog tool forms;
  // the composer and the error manager leave it as it is.
  BoxMarkup markup = BoxMarkup::Bars;
  EscapeRule escape = EscapeRule::Windows;
  BoxWrap wrap = BoxWrap::Wrap;
  std::vector<BoxCaption> captions;       // the set's buttons the caller named
  std::vector<AddedButton> extraButtons;  // after the set's buttons, left to right
  std::string details;                    // more text, shown on request; empty: none
  std::string checkBox;                   // a check box under the text; empty: none
  std::string themedIcon;                 // the desktop's icon of this name, where it has one
  std::string windowIcon;                 // the title bar's icon: a themed name or a file
  int32_t width = 0;                      // pixels at least (0: as the text needs)
  int32_t height = 0;                     // pixels at least
  intptr_t parentWindow = 0;              // a window of another program the box belongs to
};

// What a box answered: the pressed button's value (kFirstExtraButton and up
// for an added button, BoxTimedOut, or 0 when no box could be shown), and
// whether its check box was ticked.
struct BoxAnswer {
  int32_t button = 0;
  bool checked = false;
};

// What a box answers when its time ran out and it pressed its default button
// (MessageBoxA's own result for a box that timed out).
constexpr int32_t BoxTimedOut = 32000;

// A button set given as the text of a number; 0 (no known set) for text that
// is no number or one out of range.
int32_t ButtonSetNumber(std::string_view text);

// Shows the box: through the hook while one is installed, else the
// runtime's own box. Returns the pressed button as a ButtonSet value,
// BoxTimedOut when the request's time ran out, 0 when no button was pressed
// (the box could not be shown).
int32_t ShowBox(const BoxRequest& request);

// The time-out of the box that ShowBox is handing to the hook on this thread;
// 0 otherwise. The hook's calling contract has no place for it, so a hook
// that draws the box itself reads it here.
int32_t ShownBoxTimeout();

// The hook's calling contract: the text, caption, icon and button set as
// strings (the button set as the text of a number, or empty when omitted),
// three flags for an omitted caption, icon and button set, the default
// button and the style. Returns the pressed button as a ButtonSet value.
using MessageHook = int32_t (*)(const std::string& text, const std::string& caption, const std::string& icon,
                                const std::string& buttons, uint8_t captionOmitted, uint8_t iconOmitted,
                                uint8_t buttonsOmitted, int32_t defaultButton, int32_t style);

// The message function. An omitted caption, icon or button set is passed as
// an empty string with its flag set; an omitted button set shows OK.
int32_t MessageBox(const std::string& text, const std::string& caption, const std::string& icon,
                   const std::string& buttons, uint8_t captionOmitted, uint8_t iconOmitted, uint8_t buttonsOmitted,
                   int32_t defaultButton, int32_t style);

// The same with a numeric button set and nothing omitted.
int32_t MessageBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                   int32_t defaultButton, int32_t style);

// The runtime's own message box, drawn as a runtime window (the "Runtime"
// style). ShowBox calls it when no hook is installed; the omitted flags of
// the request are not read here.
int32_t RuntimeMessageBox(const BoxRequest& request);
BoxAnswer AskRuntimeBox(const BoxRequest& request);
// The platform's own box, drawn by the installed backend with the whole
// request (the hook's calling contract has no place for most of it).
BoxAnswer AskNativeBox(const BoxRequest& request);

// For tests:
// The runtime's own box from the message function's arguments, with nothing
// omitted.
int32_t RuntimeMessageBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                          int32_t defaultButton, int32_t style);

}  // namespace rt
