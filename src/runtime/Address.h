#pragma once
// Addresses kept as numbers, as properties hold them (a list's row callback
// and source, the message hook). intptr_t keeps them whole on the 32-bit
// build as on 64-bit ones.
#include <cstdint>

namespace rt {

inline int64_t AddressNumber(const void* p) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(p)); }

template <class Function>
int64_t FunctionAddressNumber(Function* fn) {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(fn));
}

template <class Pointer>
Pointer PointerFromNumber(int64_t number) {
  return reinterpret_cast<Pointer>(static_cast<intptr_t>(number));
}

}  // namespace rt
