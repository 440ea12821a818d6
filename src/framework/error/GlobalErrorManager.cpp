#include "framework/error/GlobalErrorManager.h"

namespace quibra {

ErrorManager GlobalErrorManager;

namespace {

// The windows that name no error manager of their own ask this one.
const bool reportsForWindows = (ErrorReporter::Program = &GlobalErrorManager, true);

}  // namespace

}  // namespace quibra
