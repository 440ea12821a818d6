// On POSIX systems a program inherits its streams from whoever started it, so
// there is nothing to attach.
#include "platform/Console.h"

namespace os {

void AttachParentConsole() {}

}  // namespace os
