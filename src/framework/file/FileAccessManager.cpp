// The file access manager's set-up, its per-thread states, preparing a use,
// positions, recording and reporting errors, and the record operations a
// form relies on.
#include "framework/file/FileAccessManager.h"

#include <cstring>

#include "framework/error/ErrorManager.h"
#include "framework/error/GlobalErrorManager.h"
#include "framework/file/FileUseRegistry.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/FileProperties.h"

namespace quibra {

namespace {

int ByThreadKey(const ThreadStateEntry& a, const ThreadStateEntry& b) {
  return a.THREADKEY < b.THREADKEY ? -1 : a.THREADKEY > b.THREADKEY ? 1 : 0;
}

}  // namespace

FileAccessManager::FileAccessManager()
    : SAVEDSTATES(new rt::Queue<SavedStateEntry>),
      THREADSTATES(new rt::Queue<ThreadStateEntry>),
      KEYLIST(new rt::Queue<KeyListEntry>),
      HELDSTATES(new rt::Queue<HeldStateEntry>) {}

FileAccessManager::~FileAccessManager() {
  delete SAVEDSTATES;
  delete THREADSTATES;
  delete KEYLIST;
  delete HELDSTATES;
}

void FileAccessManager::Attach(rt::File& file, void* record, uint32_t size, ErrorManager& errors) {
  DATAFILE = &file;
  FIXEDNAME = file.Name();
  RECORDAREA = {record, size};
  ERRORHANDLER = &errors;
  KEYLIST->Free();
  for (int32_t k = 1; k <= static_cast<int32_t>(file.Keys().size()); ++k) {
    KEYLIST->buffer.KEY = k;
    KEYLIST->Add();
  }
}

ErrorManager& FileAccessManager::Errors() { return ERRORHANDLER ? *ERRORHANDLER : GlobalErrorManager; }

int32_t FileAccessManager::ThreadKey() {
  const bool perThread = DATAFILE && rt::ToNumber(DATAFILE->GetProperty(rt::PropThreadInstance)) != 0;
  return perThread ? rt::Thread() : 1;
}

ThreadStateEntry FileAccessManager::ThreadState() {
  const int32_t key = ThreadKey();
  THREADSTATES->buffer = {};
  THREADSTATES->buffer.THREADKEY = key;
  if (!THREADSTATES->GetSorted(&ByThreadKey)) {
    THREADSTATES->buffer = {};
    THREADSTATES->buffer.THREADKEY = key;
    THREADSTATES->Add(&ByThreadKey);
  }
  return THREADSTATES->buffer;
}

void FileAccessManager::StoreThreadState(const ThreadStateEntry& entry) {
  THREADSTATES->buffer = entry;
  if (THREADSTATES->GetSorted(&ByThreadKey)) {
    THREADSTATES->buffer = entry;
    THREADSTATES->Put();
  }
}

void FileAccessManager::SelectThreadState() {
  ThreadState();
  Errors().NoteFile(CurrentFileName());
}

std::string FileAccessManager::CurrentFileName() {
  if (NAMEVARIABLE.address) return NAMEVARIABLE.Read();
  return std::string(FIXEDNAME.raw());
}

void FileAccessManager::RecordError(uint16_t errorId) {
  // The error state first: the list work below changes it.
  Errors().CaptureErrorState();
  ThreadStateEntry state = ThreadState();
  state.LASTERROR = errorId;
  StoreThreadState(state);
}

Level FileAccessManager::ReportError(uint16_t errorId) {
  RecordError(errorId);
  return ReportRecordedError();
}

Level FileAccessManager::ReportRecordedError() {
  const uint16_t id = ThreadState().LASTERROR;
  return Errors().Dispatch(id);
}

Level FileAccessManager::Open() {
  SelectThreadState();
  ThreadStateEntry state = ThreadState();
  ++state.OPENCOUNT;
  StoreThreadState(state);
  if (OPENONUSE || state.ISOPEN) return LevelOk;
  const Level r = OpenPhysically(1);
  if (r != LevelOk) {
    state = ThreadState();
    if (state.OPENCOUNT > 0) --state.OPENCOUNT;
    StoreThreadState(state);
  }
  return r;
}

void FileAccessManager::Close() {
  ThreadStateEntry state = ThreadState();
  if (state.OPENCOUNT == 0) return;
  if (--state.OPENCOUNT == 0 && state.ISOPEN) {
    if (DATAFILE && DATAFILE->IsOpen()) DATAFILE->Close();
    state.ISOPEN = 0;
  }
  StoreThreadState(state);
}

Level FileAccessManager::PrepareForUse(uint8_t usage) {
  SelectThreadState();
  if (usage != UsageUnnoted) FileUseRegistryInstance.NoteUse(*this, usage);
  const ThreadStateEntry state = ThreadState();
  if (OPENONUSE && !state.ISOPEN) {
    if (state.OPENCOUNT == 0) return ReportError(39);
    // Whatever the open does, the record is as it was before it.
    uint16_t saved = SaveState();
    const Level r = OpenPhysically(1);
    RestoreState(saved, 1);
    return r;
  }
  return LevelOk;
}

int32_t FileAccessManager::PositionKey() {
  if (POSITIONKEY == 0) return 0;
  // A position key that names no entry gives a key number the file refuses.
  return KEYLIST->Get(POSITIONKEY) ? KEYLIST->buffer.KEY : -1;
}

std::string FileAccessManager::PositionNow() { return DATAFILE ? DATAFILE->Position(PositionKey()) : std::string(); }

std::string FileAccessManager::CurrentPosition() {
  if (PrepareForUse(UsagePosition) != LevelOk) return {};
  return PositionNow();
}

Level FileAccessManager::RefetchAt(const std::string& position) {
  if (PrepareForUse(UsagePosition) != LevelOk) return LevelFatal;
  if (!DATAFILE) return LevelNotify;
  const int32_t key = PositionKey();
  return DATAFILE->Reget(key, position) ? LevelOk : LevelNotify;
}

Level FileAccessManager::InsertRecord() {
  if (PrepareForUse(UsageForm) != LevelOk) return LevelNotify;
  if (DATAFILE && DATAFILE->Add()) return LevelOk;
  if (rt::ErrorCode() == rt::ErrDuplicateKey) {
    // The driver names the key after the colon of its text. The key's name
    // is the message's for this report only: a later message of the manager
    // shows its own text again, not this key.
    const std::string text = rt::ErrorText();
    const std::size_t colon = text.find(": ");
    const std::string before(Errors().MESSAGETEXT.view());
    Errors().MESSAGETEXT = colon == std::string::npos ? text : text.substr(colon + 2);
    ReportError(13);
    Errors().MESSAGETEXT = before;
  } else {
    ReportError(4);
  }
  return LevelNotify;
}

Level FileAccessManager::ReadyNewRecord() {
  if (!DATAFILE) return LevelNotify;
  // A new record starts with every field empty: blank texts, zero numbers,
  // no large-object contents and no field null.
  for (const rt::FileField& f : DATAFILE->Record()) {
    if (!f.address) continue;
    std::memset(f.address, f.type == rt::FieldType::FixedText ? ' ' : 0, f.size);
  }
  const int32_t n = LargeObjectCount();
  for (int32_t i = 1; i <= n; ++i) DATAFILE->SetProperty(rt::PropLargeObject, "", -i);
  DATAFILE->SetNulls("");
  return LevelOk;
}

}  // namespace quibra
