// Settling a form's record: getting it ready when the form starts, inserting,
// changing or deleting it when the form completes (with questions and
// retries on failure), and what closing the form does to unsaved changes, an
// abandoned insert and the last record inserted. Windows that edit no record
// (PRIMARY null) take the short paths.
#include <string>

#include "framework/window/ErrorReporter.h"
#include "framework/window/FormFile.h"
#include "framework/window/RecordRelation.h"
#include "framework/window/WindowController.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/MessageBox.h"
#include "runtime/Window.h"

namespace quibra {

namespace {

// The busy cursor shown while a record is written or deleted.
const std::string kBusyCursor("\xFF\x01\x03\x7F", 4);

// The questions of the error table that a form asks.
enum CompletionErrors : uint16_t {
  ErrorRecordAdded = 3,
  ErrorChangesLost = 8,
  ErrorDeleteFailed = 33,
  ErrorUpdateFailed = 34,
  ErrorSaveRecord = 35,
};

constexpr int32_t kYesNoCancel = rt::ButtonYes + rt::ButtonNo + rt::ButtonCancel;

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() { rt::SetCursor(kBusyCursor); }
  ~BusyCursor() { rt::SetCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

FormFile* WindowController::PrimaryFile() const { return PRIMARY ? PRIMARY->PRIMARYFILE : nullptr; }

ErrorReporter& WindowController::Errors() const { return ERRORS ? *ERRORS : *ErrorReporter::Program; }

void WindowController::SelectFirstField() {
  // Selecting control 0 would start a validation pass instead.
  if (FIRSTFIELD != 0) rt::Select(FIRSTFIELD);
}

Level WindowController::OnCompleted() {
  SaveFieldHistory();
  // A form that edits a record needs its relation and file; without them
  // there is nothing to settle.
  if (!PrimaryFile()) return LevelOk;
  switch (REQUEST) {
    case RequestInsert:
      return CompleteInsert();
    case RequestChange:
      CompleteChange();
      return LevelOk;
    case RequestDelete:
      CompleteDelete();
      return LevelOk;
    default:
      return LevelOk;
  }
}

Level WindowController::CompleteInsert() {
  FormFile& file = *PrimaryFile();
  if (file.InsertRecord() != LevelOk) {
    SelectFirstField();
    return LevelNotify;
  }
  switch (INSERTACTION) {
    case 2:
      Finish(ResponseCompleted);
      return LevelOk;
    case 4:
      if (Errors().Raise(ErrorRecordAdded) != LevelOk) {
        Finish(ResponseCompleted);
        return LevelOk;
      }
      break;
    case 3:
      break;
    default:
      return LevelOk;
  }
  // Another record: the form starts again from the record it began with.
  LASTINSERTEDPOSITION = file.CurrentPosition();
  if (FILES) {
    for (int32_t i = 1; i <= FILES->Records(); ++i) {
      if (!FILES->Get(i) || !FILES->buffer.UPDATEFILE) continue;
      FormFile& update = *FILES->buffer.UPDATEFILE;
      update.RestoreState(FILES->buffer.SAVEDSTATE, 1);
      FILES->buffer.SAVEDSTATE = update.SaveState();
      FILES->Put();
    }
  }
  file.RestoreState(SAVED, 1);
  SAVED = 0;
  file.PrepareForUse(3);
  if (file.ReadyNewRecord() != LevelOk) {
    rt::Post(rt::EventCloseRequested);
  } else {
    PrimeNewRecord();
    RESPONSE = ResponseCancelled;
  }
  SAVED = file.SaveState();
  rt::Display(0);
  SelectFirstField();
  return LevelNotify;
}

void WindowController::CompleteChange() {
  FormFile& file = *PrimaryFile();
  for (;;) {
    RESPONSE = ResponseCancelled;
    uint8_t unchanged = 0;
    uint8_t r = 0;
    {
      BusyCursor busy;
      unchanged = file.BufferUnchanged(SAVED);
      if (!unchanged) r = PRIMARY->UpdateCurrent(HISTORYKEY != 0 ? 1 : 0);
    }
    if (r == 0) {
      if (!unchanged)
        RESPONSE = ResponseCompleted;
      else if (TOOLBAR && VCRREQUEST && *VCRREQUEST == 0)
        RESPONSE = ResponseCompleted;
      rt::Post(rt::EventCloseRequested);
      return;
    }
    if (r == 1) {
      const int32_t a = Errors().AskUser(ErrorUpdateFailed, kYesNoCancel, rt::ButtonCancel);
      if (a == rt::ButtonYes) continue;
      if (a == rt::ButtonNo) {
        rt::Post(rt::EventCloseRequested);
        return;
      }
    }
    // A failure the user may not retry, or the user chose to go on editing.
    rt::Display(0);
    SelectFirstField();
    return;
  }
}

void WindowController::CompleteDelete() {
  for (;;) {
    RESPONSE = ResponseCancelled;
    uint8_t r = 0;
    {
      BusyCursor busy;
      r = PRIMARY->DeleteCurrent(DELETEACTION == 2 ? 1 : 0);
    }
    if (r == 0) {
      Finish(ResponseCompleted);
      return;
    }
    const int32_t a = Errors().AskUser(ErrorDeleteFailed, kYesNoCancel, rt::ButtonCancel);
    if (a == rt::ButtonYes) continue;
    if (a == rt::ButtonNo) {
      rt::Post(rt::EventCloseRequested);
      return;
    }
    rt::Display(0);
    SelectFirstField();
    return;
  }
}

Level WindowController::OnCloseRequest() {
  if (RESPONSE == ResponseCompleted) return LevelOk;
  if (!PRIMARY) return LevelOk;
  FormFile* file = PrimaryFile();
  // Saving goes through the OK control, so that the form is validated and
  // completed as when the user presses it; a form without one completes at once.
  auto save = [this] {
    if (OKCONTROL != 0)
      rt::Post(rt::EventControlAccepted, OKCONTROL);
    else
      StartCompletion();
  };
  if (file && CANCELACTION != 0 && (REQUEST == RequestInsert || REQUEST == RequestChange) &&
      file->BufferUnchanged(SAVED) == 0) {
    switch (CANCELACTION) {
      case 3: {
        const int32_t a = Errors().AskUser(ErrorSaveRecord, kYesNoCancel, rt::ButtonCancel);
        if (a == rt::ButtonYes) {
          save();
          return LevelNotify;
        }
        if (a != rt::ButtonNo) {
          SelectFirstField();
          return LevelNotify;
        }
        break;
      }
      case 1:
        save();
        return LevelNotify;
      case 2:
        if (Errors().Raise(ErrorChangesLost) == LevelCancel) {
          SelectFirstField();
          return LevelNotify;
        }
        break;
      default:
        break;
    }
  }
  if (ORIGINALREQUEST == RequestInsert && RESPONSE == ResponseCancelled && PRIMARY->AbandonInsert() != 0) {
    SelectFirstField();
    return LevelNotify;
  }
  if (!LASTINSERTEDPOSITION.blank()) {
    RESPONSE = ResponseCompleted;
    if (file) file->RefetchAt(LASTINSERTEDPOSITION.clipped());
  }
  return LevelOk;
}

Level WindowController::PrepareRequest() {
  FormFile* file = PrimaryFile();
  if (!file) return LevelOk;
  Level r = LevelOk;
  file->PrepareForUse(3);
  PRIMARY->BeginRequest();
  if (FILES) {
    for (int32_t i = 1; i <= FILES->Records(); ++i) {
      if (!FILES->Get(i) || !FILES->buffer.UPDATEFILE) continue;
      FILES->buffer.SAVEDSTATE = FILES->buffer.UPDATEFILE->SaveState();
      FILES->Put();
    }
  }
  if (REQUEST == RequestInsert && INSERTACTION != 0) {
    RESPONSE = ResponseCompleted;
    PrimeNewRecord();
    if (RESPONSE == ResponseCancelled)
      r = LevelFatal;  // the hook refused: the window need not run
    else
      RESPONSE = ResponseCancelled;
  }
  if (REQUEST == RequestDelete && (DELETEACTION == 2 || DELETEACTION == 4)) {
    const uint8_t d = PRIMARY->DeleteCurrent(DELETEACTION == 2 ? 1 : 0);
    RESPONSE = d == 0 ? ResponseCompleted : ResponseCancelled;
    r = LevelFatal;
  }
  SAVED = file->SaveState();
  return r;
}

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
