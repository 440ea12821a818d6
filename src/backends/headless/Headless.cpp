#include "backends/headless/Headless.h"

namespace headless {

// FIXME: the scripted user and the recorders are being written; until then
// installing the backend has nothing to install.
void Install() {}

}  // namespace headless
