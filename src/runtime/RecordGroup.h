#pragma once
// A record group: a block of the program's memory described field by field,
// so that the runtime can assign one field of a group to the same field of
// another with conversion (field history recall) and copy whole groups.
#include <cstdint>
#include <string>

namespace rt {

enum class FieldType : uint8_t {
  Byte,       // uint8_t
  Short,      // int16_t
  UShort,     // uint16_t
  Long,       // int32_t
  Real,       // double
  FixedText,  // space-padded, `size` bytes
  CText,      // zero-terminated, `size` bytes of capacity
};

struct FieldDesc {
  uint32_t offset;
  FieldType type;
  uint32_t size;
};

struct RecordGroup {
  void* address = nullptr;
  const FieldDesc* fields = nullptr;
  int32_t fieldCount = 0;
  uint32_t size = 0;  // in bytes
};

// The value of field n (from 1) as text: numbers in decimal, fixed texts clipped.
std::string FieldText(const RecordGroup& group, int32_t n);
// Assigns field n of `from` to field n of `to`, converting the value to the
// type of `to`'s field (numbers from texts as rt::ToNumber reads them, texts
// cut to fit). Returns false, changing nothing, when either group has no field n.
bool AssignField(const RecordGroup& to, int32_t n, const RecordGroup& from);
// Copies the whole of `from` into `to` as text: as many bytes as the shorter
// of the two; the rest of a longer `to` is padded with spaces.
void CopyGroupAsText(const RecordGroup& to, const RecordGroup& from);

}  // namespace rt
