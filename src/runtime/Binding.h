#pragma once
// A variable bound to a data control of a window: its address and type.
// Bindings go to the window's data controls (entries, option groups, spins,
// check boxes) in definition order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Text.h"

namespace rt {

enum class BindType { FixedText, CText, Int8, UInt8, Int16, UInt16, Int32 };

struct Binding {
  BindType type = BindType::Int32;
  void* address = nullptr;
  std::size_t size = 0;  // the field's bytes for the two text types

  // The variable's value as control contents: a fixed text without its
  // padding, a zero-terminated text up to its terminator, a number in decimal.
  std::string Read() const;
  // Stores control contents into the variable: texts are cut to fit (a fixed
  // text padded with spaces); numbers convert as the runtime converts texts
  // and are held to the type's range rather than wrapped.
  void Write(std::string_view contents) const;
};

template <std::size_t N>
Binding Bind(FixedString<N>& field) {
  return {BindType::FixedText, field.data, N};
}
template <std::size_t N>
Binding Bind(CString<N>& field) {
  return {BindType::CText, field.data, N};
}
inline Binding Bind(int8_t& v) { return {BindType::Int8, &v, sizeof v}; }
inline Binding Bind(uint8_t& v) { return {BindType::UInt8, &v, sizeof v}; }
inline Binding Bind(int16_t& v) { return {BindType::Int16, &v, sizeof v}; }
inline Binding Bind(uint16_t& v) { return {BindType::UInt16, &v, sizeof v}; }
inline Binding Bind(int32_t& v) { return {BindType::Int32, &v, sizeof v}; }
inline Binding BindFixed(char* field, std::size_t length) { return {BindType::FixedText, field, length}; }
inline Binding BindCString(char* field, std::size_t capacity) { return {BindType::CText, field, capacity}; }

}  // namespace rt
