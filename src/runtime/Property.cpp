#include "runtime/Property.h"

#include <map>
#include <mutex>
#include <utility>

#include "runtime/Text.h"
#include "runtime/Window.h"

namespace rt {
namespace {

// The system target's properties are process wide: the message hook is read
// by every thread that shows a message.
std::mutex systemLock;
std::map<std::pair<int32_t, int32_t>, Value>& SystemProperties() {
  static std::map<std::pair<int32_t, int32_t>, Value> properties;
  return properties;
}

}  // namespace

int64_t Value::Number() const { return isNumber_ ? number_ : ToNumber(text_); }

std::string Value::Text() const { return isNumber_ ? std::to_string(number_) : text_; }

void SetProperty(int32_t target, int32_t property, const Value& value, int32_t index) {
  if (target == SystemTarget) {
    std::lock_guard<std::mutex> hold(systemLock);
    SystemProperties()[{property, index}] = value;
    return;
  }
  SetProperty(CurrentWindow(), target, property, value, index);
}

Value GetProperty(int32_t target, int32_t property, int32_t index) {
  if (target == SystemTarget) {
    std::lock_guard<std::mutex> hold(systemLock);
    auto it = SystemProperties().find({property, index});
    return it == SystemProperties().end() ? Value() : it->second;
  }
  return GetProperty(CurrentWindow(), target, property, index);
}

void SetProperty(Window* window, int32_t control, int32_t property, const Value& value, int32_t index) {
  if (window) window->SetProperty(control, property, index, value);
}

Value GetProperty(Window* window, int32_t control, int32_t property, int32_t index) {
  return window ? window->GetProperty(control, property, index) : Value();
}

void ClearSystemProperties() {
  std::lock_guard<std::mutex> hold(systemLock);
  SystemProperties().clear();
}

}  // namespace rt
