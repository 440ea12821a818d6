#pragma once
// Dialog units: the layout unit of window definitions. A horizontal unit is a
// quarter of the font's average character width and a vertical unit an
// eighth of its height, so that a window keeps its proportions in any font
// and at any screen resolution. Every backend converts through these, so a
// window measures the same wherever it is drawn; a terminal's character cell
// is a font whose base units are one cell by one cell (CharacterCells.h).
#include <cstdint>

#include "runtime/Backend.h"

namespace rt {

// A font's base units in pixels: its average character width and its height.
struct BaseUnits {
  int32_t x = 6;
  int32_t y = 13;
  bool operator==(const BaseUnits&) const = default;
};

// The classic dialog font's base units (8 points at 96 dots an inch), which a
// font that measures nothing falls back to.
inline constexpr BaseUnits kClassicBaseUnits{6, 13};

// The letters whose width gives a font's average character width.
inline constexpr char kBaseUnitLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// value * numerator / denominator, rounded to the nearest as the Windows
// dialog manager rounds (halves away from zero, negative values alike), in 64
// bits so that no product overflows; a result beyond 32 bits is held at the
// nearest 32-bit value, and a denominator below 1 counts as 1.
constexpr int32_t MulDivRounded(int32_t value, int32_t numerator, int32_t denominator) {
  const int64_t d = denominator > 0 ? denominator : 1;
  const int64_t product = static_cast<int64_t>(value) * numerator;
  const int64_t q = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
  return q > INT32_MAX ? INT32_MAX : q < INT32_MIN ? INT32_MIN : static_cast<int32_t>(q);
}

// The base units of a font measured as the dialog manager measures them: the
// width of kBaseUnitLetters averaged and rounded ((width / 26 + 1) / 2, at
// least one pixel) and the font's height. A font that measures nothing
// (width or height not above 0) has the classic base units, so that a layout
// never collapses.
constexpr BaseUnits BaseUnitsOfFont(int32_t lettersWidth, int32_t height) {
  if (lettersWidth <= 0 || height <= 0) return kClassicBaseUnits;
  const int32_t x = (lettersWidth / 26 + 1) / 2;
  return {x > 0 ? x : 1, height};
}

// Dialog units to pixels: (units * base.x + 2) / 4 across, (units * base.y +
// 4) / 8 down, for positive values.
constexpr int32_t UnitsToPixelsX(int32_t units, BaseUnits base) { return MulDivRounded(units, base.x, 4); }
constexpr int32_t UnitsToPixelsY(int32_t units, BaseUnits base) { return MulDivRounded(units, base.y, 8); }

// Pixels to dialog units, rounded the same way: the unit nearest to a point.
constexpr int32_t PixelsToUnitsX(int32_t pixels, BaseUnits base) { return MulDivRounded(pixels, 4, base.x); }
constexpr int32_t PixelsToUnitsY(int32_t pixels, BaseUnits base) { return MulDivRounded(pixels, 8, base.y); }

// A screen of `width` by `height` pixels in the whole dialog units that fit
// on it: a part unit is left out, so that a window put at the screen's edge
// in units stays on the screen.
constexpr ScreenArea ScreenInUnits(int32_t width, int32_t height, BaseUnits base) {
  return {static_cast<int32_t>(static_cast<int64_t>(width) * 4 / (base.x > 0 ? base.x : 1)),
          static_cast<int32_t>(static_cast<int64_t>(height) * 8 / (base.y > 0 ? base.y : 1))};
}

}  // namespace rt
