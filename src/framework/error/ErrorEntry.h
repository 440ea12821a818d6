#pragma once
// One error definition of the error manager's table.
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/window/Level.h"

namespace quibra {

struct ErrorEntry {
  uint16_t ID = 0;
  // Both refer into the bytes of the table the entry was loaded from; nothing
  // is copied, so a loaded table must outlive the manager.
  std::string_view MESSAGE;
  std::string_view TITLE;
  Level FATALITY = LevelOk;
  std::string CATEGORY;  // empty until AssignCategory sets one
};

}  // namespace quibra
