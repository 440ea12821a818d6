#pragma once
// Display pictures of entries and spins. "s<n>" is a text of up to n
// characters; "n<n>" a whole number of up to n digits, "n-<n>" one that may be
// negative and "n<n>.<d>" one with up to d decimals. Other pictures accept
// any contents.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rt {

// True when the contents are a valid value for the picture. Blank contents
// are valid for every picture (they mean an empty text or zero).
bool PictureAccepts(std::string_view picture, std::string_view contents);
// How many characters an entry with this picture takes; 0 = no limit.
std::size_t PictureTextLimit(std::string_view picture);

// The whole numbers a spin's arrows step through: those its picture can show.
// "n<d>" 0 to d nines (the whole digits of "n<d>.<f>"), "n-<d>" from minus
// that; "s<n>" the numbers of up to n characters, a minus sign among them.
// A picture that limits no digits ("n", "n0", "n-", "s0", none, any other)
// leaves the 32-bit range, from 0 where it refuses a minus sign ("n", "n0").
// Every bound is held within +-(2^31 - 1).
struct SpinRange {
  int32_t low = 0;
  int32_t high = 0;
  bool operator==(const SpinRange&) const = default;
};
SpinRange PictureSpinRange(std::string_view picture);

}  // namespace rt
