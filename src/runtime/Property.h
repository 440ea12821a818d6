#pragma once
// Properties by target and number. A target is the current window (0), one
// of its controls (its number) or the system target. Values are numbers or
// texts; each converts to the other as the runtime converts texts.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

class Window;

enum PropertyNumbers : int32_t {
  PropListRowCallback = 31260,  // a list control's row callback (function address)
  PropListRowSource = 31261,    // the object handed to the row callback
  PropMessageHook = 31285,      // system: the function that replaces the message function
  PropText = 31744,             // a window's title or a control's text
  PropControlType = 31745,      // a control's type code (ControlType)
  PropHide = 31746,             // non-zero: the control is hidden
  PropDefaultButton = 31838,    // non-zero: the button is the window's default
  PropListSelection = 31887,    // a list control's selected row
  PropHandle = 31894,           // a window's native handle
  PropValidationPass = 31898,   // non-zero while a select-all validation pass runs
  PropAlertedKeys = 32006,      // a control's alerted keys, indexed
  PropListColumnCount = 32266,  // a list control's column count, from its format
};

// The system target.
constexpr int32_t SystemTarget = -1;

class Value {
 public:
  Value() = default;
  Value(int64_t number) : isNumber_(true), number_(number) {}
  Value(int32_t number) : Value(static_cast<int64_t>(number)) {}
  Value(std::string_view text) : text_(text) {}
  Value(const char* text) : text_(text) {}
  Value(const std::string& text) : text_(text) {}

  bool IsNumber() const { return isNumber_; }
  // A text converts with rt::ToNumber.
  int64_t Number() const;
  // A number converts to its decimal text.
  std::string Text() const;
  bool operator==(const Value& other) const = default;

 private:
  bool isNumber_ = false;
  int64_t number_ = 0;
  std::string text_;
};

// Target 0: the current window; SystemTarget: the system; else a control of
// the current window. Index 0 is the plain property; indexed properties use
// 1 and up. Getting a property that was never set gives an empty value.
void SetProperty(int32_t target, int32_t property, const Value& value, int32_t index = 0);
Value GetProperty(int32_t target, int32_t property, int32_t index = 0);

// The same for a given window; control 0 is the window itself.
void SetProperty(Window* window, int32_t control, int32_t property, const Value& value, int32_t index = 0);
Value GetProperty(Window* window, int32_t control, int32_t property, int32_t index = 0);

// For tests:
// Forgets every property of the system target (the message hook included),
// so that a test does not leak a hook into the next one (the headless
// backend's Reset, between cases, too).
void ClearSystemProperties();

}  // namespace rt
