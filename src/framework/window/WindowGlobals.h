#pragma once
// The variables that window procedures share. They lie together in one range
// of storage, which the program names to the runtime at start-up.
#include <cstdint>

namespace quibra {

struct SharedWindowGlobals {
  uint8_t NextRequest = 0;        // the request handed to the next window procedure
  uint8_t LastResponse = 0;       // the response of the last window procedure
  int32_t NavigationRequest = 0;  // where a window's toolbar keeps a pending request
};

extern SharedWindowGlobals WindowGlobals;

inline uint8_t& NextRequest = WindowGlobals.NextRequest;
inline uint8_t& LastResponse = WindowGlobals.LastResponse;
inline int32_t& NavigationRequest = WindowGlobals.NavigationRequest;

}  // namespace quibra
