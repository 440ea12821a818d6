#pragma once
// Keeps a list of toolbar clients, one of them current, and passes toolbar
// work to the current one. The list's entry buffer is the current entry.
#include <cstdint>

#include "framework/window/ToolbarClient.h"
#include "runtime/Queue.h"

namespace quibra {

struct ToolbarEntry {
  int32_t ID = 0;  // the client's number
  ToolbarClient* ITEM = nullptr;
};

class ToolbarRouter {
 public:
  rt::Queue<ToolbarEntry>* LIST = nullptr;

  virtual ~ToolbarRouter();
  virtual void ShowButtons();
  virtual void Release();
  virtual void HandleAccepted(int32_t* vcrRequest, WindowController* controller);

  // Makes the list; no client is current.
  void Setup();
  // id non-zero: makes that client current and activates it. id 0: makes the
  // last client that wants the toolbar current, activating none.
  void SelectClient(int32_t id);
};

}  // namespace quibra
