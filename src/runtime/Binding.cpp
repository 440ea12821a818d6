#include "runtime/Binding.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace rt {
namespace {

template <class T>
void StoreClamped(void* address, int64_t value) {
  int64_t lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
  T v = static_cast<T>(std::clamp(value, lo, hi));
  std::memcpy(address, &v, sizeof v);
}

template <class T>
int64_t Load(const void* address) {
  T v;
  std::memcpy(&v, address, sizeof v);
  return v;
}

}  // namespace

std::string Binding::Read() const {
  switch (type) {
    case BindType::FixedText:
      return Clip({static_cast<const char*>(address), size});
    case BindType::CText: {
      const char* p = static_cast<const char*>(address);
      return std::string(p, strnlen(p, size));
    }
    case BindType::Int8:
      return std::to_string(Load<int8_t>(address));
    case BindType::UInt8:
      return std::to_string(Load<uint8_t>(address));
    case BindType::Int16:
      return std::to_string(Load<int16_t>(address));
    case BindType::UInt16:
      return std::to_string(Load<uint16_t>(address));
    case BindType::Int32:
      return std::to_string(Load<int32_t>(address));
  }
  return {};
}

void Binding::Write(std::string_view contents) const {
  switch (type) {
    case BindType::FixedText:
      StoreFixed(static_cast<char*>(address), size, contents);
      return;
    case BindType::CText:
      StoreCString(static_cast<char*>(address), size, contents);
      return;
    case BindType::Int8:
      StoreClamped<int8_t>(address, ToNumber(contents));
      return;
    case BindType::UInt8:
      StoreClamped<uint8_t>(address, ToNumber(contents));
      return;
    case BindType::Int16:
      StoreClamped<int16_t>(address, ToNumber(contents));
      return;
    case BindType::UInt16:
      StoreClamped<uint16_t>(address, ToNumber(contents));
      return;
    case BindType::Int32:
      StoreClamped<int32_t>(address, ToNumber(contents));
      return;
  }
}

}  // namespace rt
