#pragma once
// The error table the program carries, in the stored table format: a 16-bit
// entry count, then per entry a 16-bit id, a level byte, a length-prefixed
// title and a length-prefixed message, little-endian, without padding.
#include <cstddef>
#include <cstdint>

namespace quibra {

const uint8_t* DefaultErrorTable();
std::size_t DefaultErrorTableSize();

}  // namespace quibra
