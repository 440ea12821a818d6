#include "framework/file/FileUseRegistry.h"

#include "framework/error/ErrorManager.h"
#include "framework/file/FileAccessManager.h"
#include "runtime/ErrorState.h"

namespace quibra {

rt::Queue<FileLabelEntry> FileLabels;
rt::Queue<FileUseEntry> FileUses;
FileUseRegistry FileUseRegistryInstance;

void FileAccessModuleSetup(int32_t end) {
  if (end == 0) {
    FileLabels.buffer = {};
    FileUses.buffer = {};
    FileUseRegistryInstance.USES = &FileUses;
    FileUseRegistryInstance.Construct();
    return;
  }
  FileUseRegistryInstance.Destruct();
  FileUses.Free();
  FileLabels.Free();
  // The error manager may not outlive the module; the next start finds it anew.
  FileUseRegistryInstance.ERRS = nullptr;
}

int FileUseRegistry::ByScope(const FileUseEntry& a, const FileUseEntry& b) {
  if (a.THREAD != b.THREAD) return a.THREAD < b.THREAD ? -1 : 1;
  if (a.ID != b.ID) return a.ID < b.ID ? -1 : 1;
  if (a.SCOPELEVEL != b.SCOPELEVEL) return a.SCOPELEVEL < b.SCOPELEVEL ? -1 : 1;
  return 0;
}

intptr_t FileUseRegistry::FileId(const rt::File* file) { return reinterpret_cast<intptr_t>(file); }

std::string FileUseRegistry::CurrentProcedure() const { return ERRS ? ERRS->CurrentProcedure() : std::string(); }

bool FileUseRegistry::FindInnermost(const FileAccessManager& manager) {
  return FindInnermost(FileId(manager.DATAFILE));
}

bool FileUseRegistry::FindInnermost(intptr_t fileId) {
  if (!USES) return false;
  USES->buffer.THREAD = rt::Thread();
  USES->buffer.ID = fileId;
  USES->buffer.SCOPELEVEL = 1;
  if (!USES->GetSorted(&ByScope)) return false;
  // The chain of this thread and file lies together, shallowest first.
  int32_t at = USES->Pointer();
  const int32_t thread = USES->buffer.THREAD;
  while (at < USES->Records() && USES->At(at + 1).THREAD == thread && USES->At(at + 1).ID == fileId) ++at;
  return USES->Get(at);
}

void FileUseRegistry::PushScope(uint8_t usage) {
  if (!USES) return;
  FileUseEntry& e = USES->buffer;
  e.PROC = CurrentProcedure();
  e.USTAT = usage;
  e.SCOPELEVEL = static_cast<uint16_t>(e.SCOPELEVEL + 1);
  e.HOLD = 0;
  e.NESTEDOPEN = 0;
  USES->Add(&ByScope);
}

void FileUseRegistry::NoteUse(FileAccessManager& manager, uint8_t usage) {
  if (!USES) return;
  if (!ERRS) ERRS = manager.ERRORHANDLER;
  if (!FindInnermost(manager)) {
    // The first use of the file by this thread: nothing to hold.
    USES->buffer.SCOPELEVEL = 0;
    PushScope(usage);
    return;
  }
  if (CurrentProcedure() != USES->buffer.PROC) {
    PushScope(usage);
    if (usage < 3) {
      const uint16_t hold = manager.HoldFileState();
      USES->buffer.HOLD = hold;
      USES->Put();
    }
    return;
  }
  if (usage > USES->buffer.USTAT) {
    USES->buffer.USTAT = usage;
    USES->Put();
  }
}

}  // namespace quibra
