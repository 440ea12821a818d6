#pragma once
// One message of the error history, as it was shown.
#include <cstdint>
#include <string>

#include "runtime/Text.h"

namespace quibra {

struct HistoryEntry {
  std::string CATEGORY;
  rt::CString<1024> TXT;  // the message, at most 1023 characters
  int16_t ID = 0;
};

}  // namespace quibra
