#include "runtime/MessageBox.h"

#include "runtime/Address.h"
#include "runtime/Property.h"
#include "runtime/Text.h"

namespace rt {

// Constant-initialised, so that window tables built during static
// initialisation of other files can use them.
constinit const std::string IconHand("\xFF\x01\x02\x7F", 4);
constinit const std::string IconQuestion("\xFF\x01\x03\x7F", 4);
constinit const std::string IconExclamation("\xFF\x01\x04\x7F", 4);
constinit const std::string IconAsterisk("\xFF\x01\x05\x7F", 4);
constinit const std::string IconNone("\xFF\x01", 2);

int32_t MessageBox(const std::string& text, const std::string& caption, const std::string& icon,
                   const std::string& buttons, uint8_t captionOmitted, uint8_t iconOmitted, uint8_t buttonsOmitted,
                   int32_t defaultButton, int32_t style) {
  if (int64_t hook = GetProperty(SystemTarget, PropMessageHook).Number()) {
    return PointerFromNumber<MessageHook>(hook)(text, caption, icon, buttons, captionOmitted, iconOmitted,
                                                buttonsOmitted, defaultButton, style);
  }
  int32_t set = buttonsOmitted ? ButtonOk : static_cast<int32_t>(ToNumber(buttons));
  return RuntimeMessageBox(text, captionOmitted ? std::string() : caption, iconOmitted ? std::string() : icon, set,
                           defaultButton, style);
}

int32_t MessageBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                   int32_t defaultButton, int32_t style) {
  return MessageBox(text, caption, icon, std::to_string(buttons), 0, 0, 0, defaultButton, style);
}

}  // namespace rt
