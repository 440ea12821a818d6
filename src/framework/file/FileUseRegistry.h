#pragma once
// The process-wide registry of file uses: for each thread and file, which
// procedure uses the file at which scope depth, and which file state was held
// when an inner procedure began to use a file an outer one already used.
#include <cstdint>
#include <string>

#include "runtime/Queue.h"

namespace quibra {

class ErrorManager;
class FileAccessManager;

struct FileUseEntry {
  int32_t THREAD = 0;      // the thread that uses the file
  std::string PROC;        // the procedure that opened this scope
  int32_t ID = 0;          // the identity of the platform file
  uint8_t USTAT = 0;       // the highest usage passed in this scope
  uint16_t HOLD = 0;       // hold number of the file state held when the scope began; 0 = none
  uint16_t SCOPELEVEL = 0; // depth of the scope for this thread and file, from 1
  uint16_t NESTEDOPEN = 0;
};

struct FileLabelEntry {
  int32_t FILELABEL = 0;
  FileAccessManager* FILEMANAGER = nullptr;
};

class FileUseRegistry {
 public:
  rt::Queue<FileUseEntry>* USES = nullptr;
  ErrorManager* ERRS = nullptr;

  // Construction and destruction do nothing beyond the module's set-up.
  void Construct() {}
  void Destruct() {}
};

// The module's process-wide lists and its registry.
extern rt::Queue<FileLabelEntry> FileLabels;
extern rt::Queue<FileUseEntry> FileUses;
extern FileUseRegistry FileUseRegistryInstance;

// The file-access module's set-up procedure: 0 = start, non-zero = end.
void FileAccessModuleSetup(int32_t end);

}  // namespace quibra
