#include "backends/win32/DialogUnits.h"

namespace win32 {
namespace {

// a * b / c rounded to the nearest integer, half away from zero, in 64 bits
// so that no product overflows.
int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t half = c / 2;
  int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
  return static_cast<int32_t>(q);
}

}  // namespace

BaseUnits BaseUnitsFromFont(int32_t lettersWidth, int32_t height) {
  if (lettersWidth <= 0 || height <= 0) return {6, 13};
  // The average of 52 letters, rounded: (width / 26 + 1) / 2.
  int32_t x = (lettersWidth / 26 + 1) / 2;
  return {x > 0 ? x : 1, height};
}

int32_t HorizontalPixels(int32_t units, const BaseUnits& base) { return MulDivRound(units, base.x, 4); }

int32_t VerticalPixels(int32_t units, const BaseUnits& base) { return MulDivRound(units, base.y, 8); }

}  // namespace win32
