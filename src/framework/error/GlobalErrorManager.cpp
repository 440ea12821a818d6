#include "framework/error/GlobalErrorManager.h"

namespace quibra {

ErrorManager GlobalErrorManager;

}  // namespace quibra
