#include "runtime/MessageBox.h"

#include <climits>

#include "runtime/Address.h"
#include "runtime/Backend.h"
#include "runtime/Property.h"
#include "runtime/Text.h"

namespace rt {

// Constant-initialised, so that window tables built during static
// initialisation of other files can use them.
// Clang cannot run the standard library's string constructor at compile time
// (it refuses the constructor's writes to its inner buffer), so there the
// codes are made before every other static object of the program instead.
#ifdef __clang__
#define ICON_CODE [[gnu::init_priority(101)]]
#else
#define ICON_CODE constinit
#endif
ICON_CODE const std::string IconHand("\xFF\x01\x02\x7F", 4);
ICON_CODE const std::string IconQuestion("\xFF\x01\x03\x7F", 4);
ICON_CODE const std::string IconExclamation("\xFF\x01\x04\x7F", 4);
ICON_CODE const std::string IconAsterisk("\xFF\x01\x05\x7F", 4);
ICON_CODE const std::string IconNone("\xFF\x01", 2);
#undef ICON_CODE

int32_t ButtonSetNumber(std::string_view text) {
  const int64_t n = ToNumber(text);
  return n < INT32_MIN || n > INT32_MAX ? 0 : static_cast<int32_t>(n);
}

namespace {
thread_local int32_t shownTimeout = 0;

// Holds the time-out for the hook's call, however the call ends.
struct TimeoutScope {
  int32_t before;
  explicit TimeoutScope(int32_t seconds) : before(shownTimeout) { shownTimeout = seconds; }
  ~TimeoutScope() { shownTimeout = before; }
};
}  // namespace

int32_t ShownBoxTimeout() { return shownTimeout; }

int32_t ShowBox(const BoxRequest& r) {
  if (int64_t hook = GetProperty(SystemTarget, PropMessageHook).Number()) {
    const std::string buttons = r.buttonsOmitted ? std::string() : std::to_string(r.buttons);
    TimeoutScope timeout(r.timeout);
    return PointerFromNumber<MessageHook>(hook)(r.text, r.captionOmitted ? std::string() : r.caption,
                                                r.iconOmitted ? std::string() : r.icon, buttons, r.captionOmitted,
                                                r.iconOmitted, r.buttonsOmitted, r.defaultButton, r.style);
  }
  BoxRequest shown = r;
  if (r.captionOmitted) shown.caption.clear();
  if (r.iconOmitted) shown.icon.clear();
  if (r.buttonsOmitted) shown.buttons = ButtonOk;
  return RuntimeMessageBox(shown);
}

BoxAnswer AskNativeBox(const BoxRequest& request) { return CurrentBackend().NativeBox(request); }

int32_t MessageBox(const std::string& text, const std::string& caption, const std::string& icon,
                   const std::string& buttons, uint8_t captionOmitted, uint8_t iconOmitted, uint8_t buttonsOmitted,
                   int32_t defaultButton, int32_t style) {
  return ShowBox({.text = text,
                  .caption = caption,
                  .icon = icon,
                  .buttons = ButtonSetNumber(buttons),
                  .defaultButton = defaultButton,
                  .style = style,
                  .captionOmitted = captionOmitted != 0,
                  .iconOmitted = iconOmitted != 0,
                  .buttonsOmitted = buttonsOmitted != 0});
}

int32_t MessageBox(const std::string& text, const std::string& caption, const std::string& icon, int32_t buttons,
                   int32_t defaultButton, int32_t style) {
  return ShowBox({.text = text,
                  .caption = caption,
                  .icon = icon,
                  .buttons = buttons,
                  .defaultButton = defaultButton,
                  .style = style});
}

}  // namespace rt
