#pragma once
// The one error manager of the program: every failure is reported to it.
#include "framework/error/ErrorManager.h"

namespace quibra {

extern ErrorManager GlobalErrorManager;

}  // namespace quibra
