#pragma once
// The records a file access manager keeps in its lists, and its record
// buffer.
#include <cstdint>
#include <string>

#include "runtime/Text.h"

namespace quibra {

// The buffer that reads fill and writes take.
struct RecordArea {
  void* address = nullptr;
  uint32_t size = 0;
};

// One saved part of a record: the buffer, a large-object field or the null
// flags. A saved state is n + 2 consecutive parts.
struct SavedStateEntry {
  int32_t STATEID = 0;
  std::string COPY;
};

// What the manager knows of the file per thread key.
struct ThreadStateEntry {
  int32_t THREADKEY = 0;
  uint8_t ISOPEN = 0;      // 1 once the file was opened physically under this key
  uint16_t OPENCOUNT = 0;  // logical opens under this key
  uint8_t STATUS1 = 0;
  uint8_t STATUS2 = 0;
  uint16_t LASTERROR = 0;  // the error id recorded last
};

// Entry n of the key list names the file's n-th key (its number in the file).
struct KeyListEntry {
  int32_t KEY = 0;
};

// The file's state held when an inner procedure began to use the file.
struct HeldStateEntry {
  uint16_t HOLDSTATEID = 0;
  uint16_t HOLDNUMBER = 0;
  uint8_t HOLDSTATUS = 0;
  int32_t PLATFORMSTATE = 0;
  rt::FixedString<1024> HOLDPOSITION;
};

}  // namespace quibra
