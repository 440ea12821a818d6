#pragma once
// Placeholder substitution in a zero-terminated text buffer.
#include <cstddef>
#include <string_view>

namespace quibra {

// Replaces every occurrence of `placeholder` in the zero-terminated text in
// `buffer` (of `capacity` bytes, terminator included) by `value`, comparing
// without regard to letter case. The search goes on after each inserted value,
// so a value that contains the placeholder is not expanded again. What does
// not fit is cut at capacity - 1 bytes, never inside a character. An empty
// placeholder changes nothing.
void ReplaceAll(char* buffer, std::size_t capacity, std::string_view placeholder, std::string_view value);

}  // namespace quibra
