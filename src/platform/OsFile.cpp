// The parts of an open file that are the same on every OS.
#include "platform/OsFile.h"

namespace os {

OsFile::~OsFile() { Close(); }

OsFile::OsFile(OsFile&& other) noexcept : handle_(other.handle_), canWrite_(other.canWrite_) {
  other.handle_ = kNoHandle;
}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    canWrite_ = other.canWrite_;
    other.handle_ = kNoHandle;
  }
  return *this;
}

IoStatus OsFile::DecodeMode(uint8_t accessMode, AccessMode& mode) {
  if (AccessMode::Decode(accessMode, mode)) return {};
  IoStatus s;
  s.code = IoBadArgument;
  s.text = "Invalid access mode";
  return s;
}

}  // namespace os
