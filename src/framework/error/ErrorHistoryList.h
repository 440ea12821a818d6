#pragma once
// The error window's history list: a window component that feeds the list
// control from the manager's history, row by row, through the row callback.
#include <cstdint>
#include <string>

#include "framework/error/HistoryEntry.h"
#include "framework/window/WindowComponent.h"
#include "runtime/Queue.h"

namespace rt {
class Window;
}

namespace quibra {

class ErrorManager;

class ErrorHistoryList : public WindowComponent {
 public:
  ErrorManager* ERR = nullptr;
  rt::Queue<HistoryEntry>* HISTORY = nullptr;
  int16_t LBCOLUMNS = 0;
  rt::Window* WIN = nullptr;

  void Release() override {}
  void Refresh(uint8_t) override {}
  uint8_t NeedsRefresh() override { return 0; }
  void ArmKeys() override {}
  Level HandleEvent() override { return OnListEvent(); }
  void Commit() override {}
  void Redisplay() override;
  virtual Level OnListEvent();
  // Row -1: the number of rows; -2: the number of columns; -3: 1.
  virtual std::string CellText(int32_t row, int32_t column);

  void Bind(rt::Window* window, ErrorManager* manager, rt::Queue<HistoryEntry>* history);
};

// The function handed to the list control: the cell text of `object`'s list.
std::string HistoryListCallback(void* object, int32_t row, int32_t column);

}  // namespace quibra
