#pragma once
// The desktop backend as a module of the Linux program (libquibra-qt.so),
// loaded only when windows go to a display, so that a box drawn in the
// terminal never maps Qt. The module names one function, which hands out its
// entry points; everything else it calls (the runtime, the platform layer) is
// the program's own, exported from the program.
#include <string>

#include "backends/InstallBackend.h"

namespace qtbackend {

struct ModuleEntries {
  // QtApplication.h's MissingDisplay and QtBackend.h's Install.
  std::string (*missingDisplay)(const backend::StartOptions& options);
  void (*install)(const backend::StartOptions& options);
};

}  // namespace qtbackend

// The module's file name, and the name of the function it exports.
#define QUIBRA_QT_MODULE_FILE "libquibra-qt.so"
#define QUIBRA_QT_MODULE_ENTRIES "quibra_qt_module_entries"
extern "C" const qtbackend::ModuleEntries* quibra_qt_module_entries();
