#include "runtime/RecordGroup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/Text.h"

namespace rt {
namespace {

bool HasField(const RecordGroup& g, int32_t n) {
  if (!g.address || !g.fields || n < 1 || n > g.fieldCount) return false;
  const FieldDesc& f = g.fields[n - 1];
  return f.offset + f.size <= g.size || g.size == 0;
}

char* FieldAt(const RecordGroup& g, int32_t n) { return static_cast<char*>(g.address) + g.fields[n - 1].offset; }

template <class T>
T Load(const char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <class T>
void Keep(char* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

}  // namespace

std::string FieldText(const RecordGroup& g, int32_t n) {
  if (!HasField(g, n)) return {};
  const FieldDesc& f = g.fields[n - 1];
  const char* at = FieldAt(g, n);
  switch (f.type) {
    case FieldType::Byte: return std::to_string(Load<uint8_t>(at));
    case FieldType::Short: return std::to_string(Load<int16_t>(at));
    case FieldType::UShort: return std::to_string(Load<uint16_t>(at));
    case FieldType::Long: return std::to_string(Load<int32_t>(at));
    case FieldType::Real: {
      char text[40];
      std::snprintf(text, sizeof text, "%.15g", Load<double>(at));
      return text;
    }
    case FieldType::FixedText: return Clip(std::string_view(at, f.size));
    case FieldType::CText: return std::string(at, strnlen(at, f.size));
  }
  return {};
}

bool AssignField(const RecordGroup& to, int32_t n, const RecordGroup& from) {
  if (!HasField(to, n) || !HasField(from, n)) return false;
  const FieldDesc& f = to.fields[n - 1];
  char* at = FieldAt(to, n);
  const FieldDesc& source = from.fields[n - 1];
  // Numbers go across without a trip through text, so a real keeps its fraction.
  const bool numeric = source.type != FieldType::FixedText && source.type != FieldType::CText;
  const std::string text = FieldText(from, n);
  const double number = numeric ? std::strtod(text.c_str(), nullptr) : static_cast<double>(ToNumber(text));
  switch (f.type) {
    case FieldType::Byte: Keep(at, static_cast<uint8_t>(static_cast<int64_t>(number))); break;
    case FieldType::Short: Keep(at, static_cast<int16_t>(static_cast<int64_t>(number))); break;
    case FieldType::UShort: Keep(at, static_cast<uint16_t>(static_cast<int64_t>(number))); break;
    case FieldType::Long: Keep(at, static_cast<int32_t>(static_cast<int64_t>(number))); break;
    case FieldType::Real: Keep(at, number); break;
    case FieldType::FixedText: StoreFixed(at, f.size, text); break;
    case FieldType::CText: StoreCString(at, f.size, text); break;
  }
  return true;
}

void CopyGroupAsText(const RecordGroup& to, const RecordGroup& from) {
  if (!to.address || !from.address) return;
  const uint32_t n = std::min(to.size, from.size);
  std::memmove(to.address, from.address, n);
  if (to.size > n) std::memset(static_cast<char*>(to.address) + n, ' ', to.size - n);
}

}  // namespace rt
