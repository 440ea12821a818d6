#pragma once
// The runtime's message function. While the message-hook property (31285) of
// the system target holds a function, that function is called instead, with
// the same arguments, and its result is returned.
#include <cstdint>
#include <string>
#include <string_view>

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

// One message box as its caller asks for it, carried unchanged to whoever
// draws it: the runtime's own box, or the hook while one is installed.
struct BoxRequest {
  std::string text;            // '|' and line ends break lines; trailing blanks are dropped
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
int32_t RuntimeMessageBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                          int32_t defaultButton, int32_t style);

}  // namespace rt
