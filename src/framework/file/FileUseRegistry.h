#pragma once
// The process-wide registry of file uses: for each thread and file, which
// procedure uses the file at which scope depth, and which file state was held
// when an inner procedure began to use a file an outer one already used.
//
// The use list is kept in the order of thread, file and scope level as
// entries are added, which is what sorting it before every lookup would give
// (equal keys keep the order they were added in), without the cost of a sort
// per lookup.
#include <cstdint>
#include <string>

#include "runtime/Queue.h"

namespace rt {
class File;
}

namespace quibra {

class ErrorManager;
class FileAccessManager;

struct FileUseEntry {
  int32_t THREAD = 0;       // the thread that uses the file
  std::string PROC;         // the procedure that opened this scope
  intptr_t ID = 0;          // the identity of the platform file: its address, whole
  uint8_t USTAT = 0;        // the highest usage passed in this scope
  uint16_t HOLD = 0;        // hold number of the file state held when the scope began; 0 = none
  uint16_t SCOPELEVEL = 0;  // depth of the scope for this thread and file, from 1
  uint16_t NESTEDOPEN = 0;
};

struct FileLabelEntry {
  int32_t FILELABEL = 0;
  FileAccessManager* FILEMANAGER = nullptr;
};

class FileUseRegistry {
 public:
  rt::Queue<FileUseEntry>* USES = nullptr;
  // Names the running procedure. When it is not set, the first use noted
  // takes the error manager of the file's manager.
  ErrorManager* ERRS = nullptr;

  // Construction and destruction do nothing beyond the module's set-up.
  void Construct() {}
  void Destruct() {}

  // Notes a use of the manager's file by the running procedure.
  void NoteUse(FileAccessManager& manager, uint8_t usage);
  // Makes the deepest entry of the calling thread and the manager's file the
  // current one; false when there is none (the key stays in the buffer).
  bool FindInnermost(const FileAccessManager& manager);
  bool FindInnermost(intptr_t fileId);
  // Adds an entry one level deeper than the one in the buffer.
  void PushScope(uint8_t usage);
  static intptr_t FileId(const rt::File* file);
  // The list's order: thread, file, scope level.
  static int ByScope(const FileUseEntry& a, const FileUseEntry& b);

 private:
  std::string CurrentProcedure() const;
};

// The module's process-wide lists and its registry.
extern rt::Queue<FileLabelEntry> FileLabels;
extern rt::Queue<FileUseEntry> FileUses;
extern FileUseRegistry FileUseRegistryInstance;

// The file-access module's set-up procedure: 0 = start, non-zero = end.
void FileAccessModuleSetup(int32_t end);

}  // namespace quibra
