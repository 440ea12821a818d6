#pragma once
// The access mode byte of an open: bits 0-1 the access (0 read, 1 write,
// 2 read and write), bits 4-7 the sharing (0x00 compatibility, 0x10 deny all,
// 0x20 deny write, 0x30 deny read, 0x40 deny none). Bits 2-3 carry nothing
// and are ignored.
//
// Compatibility sharing (0x00) is taken as deny write: other openers may read
// but not write, so two readers in compatibility mode get along while a
// second writer is refused, which is what a program that names no sharing
// expects of a file it writes.
#include <cstdint>

namespace os {

struct AccessMode {
  bool read = false;
  bool write = false;
  bool denyRead = false;
  bool denyWrite = false;

  // False for an access of 3 or a sharing above 0x40; `out` is then untouched.
  static bool Decode(uint8_t mode, AccessMode& out);
};

}  // namespace os
