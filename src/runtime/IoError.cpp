#include "runtime/IoError.h"

#include <string>

#include "runtime/ErrorState.h"

namespace rt {

constexpr bool Same(os::IoCode io, ErrorCodes rt) { return static_cast<int32_t>(io) == static_cast<int32_t>(rt); }

static_assert(Same(os::IoNotFound, ErrFileNotFound) && Same(os::IoPathNotFound, ErrPathNotFound) &&
                  Same(os::IoTooManyOpen, ErrTooManyFiles) && Same(os::IoDenied, ErrAccessDenied) &&
                  Same(os::IoBadArgument, ErrInvalidArgument) && Same(os::IoOther, ErrFileSystem),
              "the platform's file codes are the runtime's numbers");

bool ReportIo(const os::IoStatus& status) {
  if (status.ok()) {
    ClearError();
    return true;
  }
  if (status.code == os::IoOther)
    SetFileError(status.osCode ? std::to_string(status.osCode) : std::string(), status.text);
  else
    SetError(status.code);
  return false;
}

}  // namespace rt
