#include "framework/window/ToolbarRouter.h"

namespace quibra {

namespace {
int ById(const ToolbarEntry& a, const ToolbarEntry& b) { return a.ID < b.ID ? -1 : a.ID > b.ID ? 1 : 0; }
}  // namespace

ToolbarRouter::~ToolbarRouter() { delete LIST; }

void ToolbarRouter::Setup() {
  delete LIST;
  LIST = new rt::Queue<ToolbarEntry>;
  LIST->buffer.ID = 0;
}

void ToolbarRouter::Release() {
  delete LIST;
  LIST = nullptr;
}

// Callers call this only with a current client; without one it does nothing.
void ToolbarRouter::ShowButtons() {
  if (LIST && LIST->buffer.ID != 0 && LIST->buffer.ITEM) LIST->buffer.ITEM->ShowButtons();
}

void ToolbarRouter::HandleAccepted(int32_t* vcrRequest, WindowController* controller) {
  if (LIST && LIST->Records() > 0 && LIST->buffer.ITEM) LIST->buffer.ITEM->HandleAccepted(vcrRequest, controller);
}

void ToolbarRouter::SelectClient(int32_t id) {
  if (!LIST) return;
  if (id != 0) {
    // An id that is not in the list leaves the current client as it was.
    ToolbarEntry current = LIST->buffer;
    LIST->buffer.ID = id;
    if (LIST->Get(&ById)) {
      if (LIST->buffer.ITEM) LIST->buffer.ITEM->Activate();
    } else {
      LIST->buffer = current;
    }
    return;
  }
  int32_t wanted = 0;
  for (int32_t i = 1; i <= LIST->Records(); ++i) {
    LIST->Get(i);
    if (LIST->buffer.ITEM && LIST->buffer.ITEM->WantsToolbar()) wanted = i;
  }
  if (wanted) LIST->Get(wanted);
}

}  // namespace quibra
