// Settling a form's record when it completes or closes. The windows of this
// program edit no record (PRIMARY is null), so they take the short paths.
#include "framework/window/WindowController.h"

namespace quibra {

// FIXME: the insert, change and delete completions of form windows, with their
// questions and retries, come with the file access manager; until then a
// form that sets REQUEST only keeps its field history here.
Level WindowController::OnCompleted() {
  SaveFieldHistory();
  return LevelOk;
}

Level WindowController::OnCloseRequest() {
  if (RESPONSE == ResponseCompleted) return LevelOk;
  if (!PRIMARY) return LevelOk;
  // FIXME: a changed record of a form window is asked about here.
  return LevelOk;
}

// FIXME: preparing the primary file and an immediate delete come with the file
// access manager; until then there is nothing to settle before the window runs.
Level WindowController::PrepareRequest() { return LevelOk; }

void WindowController::SaveFieldHistory() {
  if (!HISTORY) return;
  const rt::RecordGroup* last = nullptr;
  for (int32_t i = 1; i <= HISTORY->Records(); ++i) {
    if (!HISTORY->Get(i)) continue;
    const FieldHistoryEntry& h = HISTORY->buffer;
    if (!h.CURRENTGROUP || !h.SAVEDGROUP) continue;
    // Entries that follow one another with the same group copy it once.
    if (!last || h.CURRENTGROUP->address != last->address) {
      rt::CopyGroupAsText(*h.SAVEDGROUP, *h.CURRENTGROUP);
      last = h.CURRENTGROUP;
    }
  }
}

}  // namespace quibra
