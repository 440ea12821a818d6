// What the module libquibra-qt.so hands the Linux program (Module.h).
#include "backends/qt/Module.h"
#include "backends/qt/QtApplication.h"
#include "backends/qt/QtBackend.h"

extern "C" __attribute__((visibility("default"))) const qtbackend::ModuleEntries* quibra_qt_module_entries() {
  static const qtbackend::ModuleEntries entries{&qtbackend::MissingDisplay, &qtbackend::Install};
  return &entries;
}
