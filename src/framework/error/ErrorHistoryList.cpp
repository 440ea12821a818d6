#include "framework/error/ErrorHistoryList.h"

#include "framework/error/ErrorWindowDef.h"
#include "runtime/Address.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Property.h"

namespace quibra {

void ErrorHistoryList::Bind(rt::Window* window, ErrorManager* manager, rt::Queue<HistoryEntry>* history) {
  WIN = window;
  ERR = manager;
  HISTORY = history;
}

void ErrorHistoryList::Redisplay() { rt::Display(ErrorListControl); }

Level ErrorHistoryList::OnListEvent() {
  if (rt::Event() != rt::EventWindowOpened) return LevelOk;
  // The newest entry, the message being reported, is selected.
  rt::SetProperty(WIN, ErrorListControl, rt::PropListSelection, HISTORY ? HISTORY->Records() : 0);
  LBCOLUMNS = static_cast<int16_t>(rt::GetProperty(WIN, ErrorListControl, rt::PropListColumnCount).Number());
  rt::SetProperty(WIN, ErrorListControl, rt::PropListRowSource, rt::AddressNumber(this));
  rt::SetProperty(WIN, ErrorListControl, rt::PropListRowCallback, rt::FunctionAddressNumber(&HistoryListCallback));
  return LevelOk;
}

std::string ErrorHistoryList::CellText(int32_t row, int32_t column) {
  switch (row) {
    case -1: return std::to_string(HISTORY ? HISTORY->Records() : 0);
    case -2: return std::to_string(LBCOLUMNS);
    case -3: return "1";
  }
  if (!HISTORY || !HISTORY->Get(row)) return "";
  if (column == 1) return HISTORY->buffer.TXT.str();
  if (column == 2) return HISTORY->buffer.CATEGORY;
  return "";
}

std::string HistoryListCallback(void* object, int32_t row, int32_t column) {
  return static_cast<ErrorHistoryList*>(object)->CellText(row, column);
}

}  // namespace quibra
