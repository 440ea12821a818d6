#pragma once
// An open file of the operating system, opened with an access mode whose
// sharing is honoured for real: a second opener, in this process or in
// another, whose access or sharing conflicts with an opener that holds the
// file is refused with IoDenied. On Windows the sharing is CreateFileA's
// share mode; on POSIX systems it is kept with open file description locks
// on reserved bytes far past any real data, so it binds every opener that
// goes through this class (other programs are not bound by it).
//
// The object owns its handle: it closes the file when it is destroyed and can
// be moved but not copied.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/AccessMode.h"
#include "platform/IoStatus.h"

namespace os {

class OsFile {
 public:
  OsFile() = default;
  ~OsFile();
  OsFile(OsFile&& other) noexcept;
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;

  // Opens an existing file. A file already open in this object is closed
  // first. An invalid mode is refused with IoBadArgument.
  IoStatus Open(const std::string& path, uint8_t accessMode);
  // Releases the file and its sharing; closing a closed file does nothing.
  IoStatus Close();
  bool IsOpen() const { return handle_ != kNoHandle; }

  // Writes the bytes at the end of the file in one call, so that lines from
  // several openers that share the file do not interleave.
  IoStatus Append(std::string_view bytes);
  // Reads the whole file from its start.
  IoStatus ReadAll(std::string& out);
  // Makes what was written durable on disk.
  IoStatus Flush();
  IoStatus Size(uint64_t& size);

 private:
  // The mode's parts; an invalid mode is refused with IoBadArgument.
  static IoStatus DecodeMode(uint8_t accessMode, AccessMode& mode);

  static constexpr intptr_t kNoHandle = -1;
  intptr_t handle_ = kNoHandle;
  bool canWrite_ = false;
};

}  // namespace os
