#pragma once
// The runtime's message function. While the message-hook property (31285) of
// the system target holds a function, that function is called instead, with
// the same arguments, and its result is returned.
#include <cstdint>
#include <string>

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
// style). MessageBox calls it when no hook is installed.
int32_t RuntimeMessageBox(const std::string& text, const std::string& caption, const std::string& icon,
                          int32_t buttons, int32_t defaultButton, int32_t style);

}  // namespace rt
