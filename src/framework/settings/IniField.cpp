#include "framework/settings/IniField.h"

#include <algorithm>
#include <limits>

namespace quibra {

std::string IniField::Text() const {
  switch (kind_) {
    case Kind::Zero: {
      // The terminator is looked for only within the field, so a field
      // overwritten by foreign code never makes the read run past it.
      const std::string_view whole(data_, size_);
      return std::string(whole.substr(0, whole.find('\0')));
    }
    case Kind::Fixed:
      return rt::Clip(std::string_view(data_, size_));
    case Kind::Number:
      return std::to_string(*number_);
    case Kind::None:
      break;
  }
  return {};
}

void IniField::Store(std::string_view text) const {
  switch (kind_) {
    case Kind::Zero:
      rt::StoreCString(data_, size_, text);
      break;
    case Kind::Fixed:
      rt::StoreFixed(data_, size_, text);
      break;
    case Kind::Number: {
      const int64_t value = rt::ToNumber(text);
      *number_ = static_cast<int32_t>(
          std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
      break;
    }
    case Kind::None:
      break;
  }
}

}  // namespace quibra
