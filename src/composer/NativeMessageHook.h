#pragma once
// The replacement message function that draws boxes with the platform's own
// message box (MessageBoxA) instead of the runtime's window. It keeps no state
// outside a call, so any thread may call it.
#include <cstdint>
#include <string>

namespace quibra {

// The runtime's message-hook contract (rt::MessageHook). Only the caption's
// omitted flag is read: an omitted icon or button set arrives as an empty
// string, which gives no icon and OK. Returns the pressed button as a
// ButtonSet value; a result MessageBoxA gives that has no ButtonSet value
// (0 when it fails) is returned unchanged. When memory for the box's texts
// cannot be had, no box is shown and the result is 0, "no button".
int32_t NativeMessageHook(const std::string& text, const std::string& caption, const std::string& icon,
                          const std::string& buttons, uint8_t captionOmitted, uint8_t iconOmitted,
                          uint8_t buttonsOmitted, int32_t defaultButton, int32_t style);

// The text and the title as the hook hands them to MessageBoxA: trailing
// blanks dropped, each '|' of the text as CR LF, cut to the 511 and 63
// characters its buffers hold.
std::string NativeBoxText(const std::string& text);
std::string NativeBoxTitle(const std::string& caption);

}  // namespace quibra
