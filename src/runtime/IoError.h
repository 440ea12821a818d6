#pragma once
// Passes the outcome of a file-system primitive on to the runtime's error
// state: cleared on success, the runtime's code otherwise, and for a fault
// that has no runtime code the system's own number and words as the file
// error.
#include "platform/IoStatus.h"

namespace rt {

// True when the primitive succeeded.
bool ReportIo(const os::IoStatus& status);

}  // namespace rt
