#pragma once
// Property numbers of a file (File::GetProperty / SetProperty). Values are
// text; numbers are written in decimal.
#include <cstdint>

namespace rt {

enum FilePropertyNumbers : int32_t {
  // The number of the record's large-object fields.
  PropLargeObjectCount = 29457,
  // The contents of large-object field n, addressed with the index -n (the
  // index n is taken as the same field).
  PropLargeObject = 31935,
  // Non-zero: the file has one instance per thread, so each thread keeps its
  // own state of it.
  PropThreadInstance = 31893,
};

}  // namespace rt
