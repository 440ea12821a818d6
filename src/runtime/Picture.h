#pragma once
// Display pictures of entries and spins. "s<n>" is a text of up to n
// characters; "n<n>" a whole number of up to n digits, "n-<n>" one that may be
// negative and "n<n>.<d>" one with up to d decimals. Other pictures accept
// any contents.
#include <cstddef>
#include <string_view>

namespace rt {

// True when the contents are a valid value for the picture. Blank contents
// are valid for every picture (they mean an empty text or zero).
bool PictureAccepts(std::string_view picture, std::string_view contents);
// How many characters an entry with this picture takes; 0 = no limit.
std::size_t PictureTextLimit(std::string_view picture);

}  // namespace rt
