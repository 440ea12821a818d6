#pragma once
// One field of a list's entry buffer, as the INI store's list operations take
// it: the store reads the field's text to write a list entry and stores text
// into it, cut to the field's size, when it reads one. A default-made field is
// "not given" (an absent second or third field).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Text.h"

namespace quibra {

class IniField {
 public:
  IniField() = default;
  // The constructors only note where the field lies and how big it is, so
  // that one non-template store serves fields of every size.
  template <std::size_t N>
  IniField(rt::CString<N>& field) : kind_(Kind::Zero), data_(field.data), size_(N) {}
  template <std::size_t N>
  IniField(rt::FixedString<N>& field) : kind_(Kind::Fixed), data_(field.data), size_(N) {}
  IniField(int32_t& field) : kind_(Kind::Number), number_(&field) {}

  bool Given() const { return kind_ != Kind::None; }
  // The field's text as it is used: a fixed field without its padding, a
  // number in decimal. A field that is not given has no text.
  std::string Text() const;
  // Stores text as the runtime stores into such a field: cut to fit, a fixed
  // field padded, a number converted (and held within 32 bits).
  void Store(std::string_view text) const;

 private:
  enum class Kind : uint8_t { None, Zero, Fixed, Number };

  Kind kind_ = Kind::None;
  char* data_ = nullptr;
  std::size_t size_ = 0;
  int32_t* number_ = nullptr;
};

}  // namespace quibra
