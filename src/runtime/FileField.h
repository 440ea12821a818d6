#pragma once
// One field of a file's record: its name, how its bytes are kept and where
// they live in the program's memory. A file's record is its fields in order;
// the program reads and writes the record through these variables. The
// types are those of a record group (RecordGroup.h), so that one program can
// use both.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/RecordGroup.h"
#include "runtime/Text.h"

namespace rt {

struct FileField {
  std::string name;
  FieldType type = FieldType::FixedText;
  void* address = nullptr;
  uint32_t size = 0;

  template <std::size_t N>
  static FileField Of(std::string_view name, FixedString<N>& text) {
    return {std::string(name), FieldType::FixedText, text.data, static_cast<uint32_t>(N)};
  }
  template <std::size_t N>
  static FileField Of(std::string_view name, CString<N>& text) {
    return {std::string(name), FieldType::CText, text.data, static_cast<uint32_t>(N)};
  }
  // A fixed-length text field of a record kept as a plain character array.
  static FileField Fixed(std::string_view name, char* field, uint32_t size) {
    return {std::string(name), FieldType::FixedText, field, size};
  }
  static FileField Of(std::string_view name, uint8_t& v) { return {std::string(name), FieldType::Byte, &v, 1}; }
  static FileField Of(std::string_view name, int16_t& v) { return {std::string(name), FieldType::Short, &v, 2}; }
  static FileField Of(std::string_view name, uint16_t& v) { return {std::string(name), FieldType::UShort, &v, 2}; }
  static FileField Of(std::string_view name, int32_t& v) { return {std::string(name), FieldType::Long, &v, 4}; }
  static FileField Of(std::string_view name, double& v) { return {std::string(name), FieldType::Real, &v, 8}; }

  bool IsText() const { return type == FieldType::FixedText || type == FieldType::CText; }
};

}  // namespace rt
