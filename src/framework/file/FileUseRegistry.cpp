#include "framework/file/FileUseRegistry.h"

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
}

}  // namespace quibra
