#include "platform/AccessMode.h"

namespace os {

bool AccessMode::Decode(uint8_t mode, AccessMode& out) {
  AccessMode m;
  switch (mode & 0x03) {
    case 0:
      m.read = true;
      break;
    case 1:
      m.write = true;
      break;
    case 2:
      m.read = m.write = true;
      break;
    default:
      return false;
  }
  switch (mode & 0xF0) {
    case 0x00:
    case 0x20:
      m.denyWrite = true;
      break;
    case 0x10:
      m.denyRead = m.denyWrite = true;
      break;
    case 0x30:
      m.denyRead = true;
      break;
    case 0x40:
      break;
    default:
      return false;
  }
  out = m;
  return true;
}

}  // namespace os
