#pragma once
// Dialog units: the layout unit of window definitions. One horizontal unit is
// a quarter of the font's average character width and one vertical unit an
// eighth of its height, so that a window keeps its proportions in any font
// and at any screen resolution.
#include <cstdint>

namespace win32 {

struct BaseUnits {
  int32_t x = 0;  // average character width in pixels
  int32_t y = 0;  // character height in pixels
  bool operator==(const BaseUnits&) const = default;
};

// The base units of a font, measured the way the system's dialog manager
// measures them: from the width of the 52 letters "A".."Z" "a".."z" (their
// average, rounded to the nearest pixel) and the font's height. A font that
// measures nothing (width or height not above 0) gives the system's classic
// 6 by 13 pixels, so that a layout never collapses to nothing.
BaseUnits BaseUnitsFromFont(int32_t lettersWidth, int32_t height);

// Dialog units to pixels, rounded to the nearest pixel as the dialog manager
// rounds them (negative values round symmetrically).
int32_t HorizontalPixels(int32_t units, const BaseUnits& base);
int32_t VerticalPixels(int32_t units, const BaseUnits& base);

// The letters whose width BaseUnitsFromFont takes.
inline constexpr char kMeasureLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

}  // namespace win32
