#pragma once
// The error manager with a history of three errors (two of the files
// category, about Customers.DAT), raised silently: the history the error
// window shows in the screenshots and in the terminal's test.
#include <cstdint>

#include "framework/error/ErrorManager.h"

namespace quibra_test {

inline void RaiseThreeErrors(quibra::ErrorManager& manager) {
  manager.Setup();
  manager.HISTORYTHRESHOLD = -1;
  manager.AssignCategory(0x13, "Files");
  manager.AssignCategory(0x19, "Files");
  manager.SILENT = 1;
  manager.NoteFile("Customers.DAT");
  for (uint16_t id : {0x13, 0x19, 0x0d}) manager.Raise(id);
  manager.SILENT = 0;
}

}  // namespace quibra_test
