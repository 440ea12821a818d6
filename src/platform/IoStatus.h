#pragma once
// The outcome of a file-system primitive. The codes are the runtime's error
// numbers, so that the runtime can pass them on unchanged; the operating
// system's own number and words are kept for the codes that have no runtime
// meaning (IoOther), so that a user still sees what went wrong.
#include <cstdint>
#include <string>

namespace os {

enum IoCode : int32_t {
  IoOk = 0,
  IoNotFound = 2,
  IoPathNotFound = 3,
  IoTooManyOpen = 4,
  IoDenied = 5,
  IoBadArgument = 87,
  IoOther = 90,
};

struct IoStatus {
  int32_t code = IoOk;
  int32_t osCode = 0;
  std::string text;

  bool ok() const { return code == IoOk; }
};

// A refusal (IoDenied) for a reason of this layer's own, not the system's.
inline IoStatus Denied(const char* why) { return IoStatus{IoDenied, 0, why}; }

}  // namespace os
