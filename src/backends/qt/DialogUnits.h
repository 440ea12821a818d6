#pragma once
// Dialog units as Windows defines them: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height, so
// that a window definition keeps its proportions with any font.
#include <QFont>
#include <cstdint>
#include <string>

namespace qtbackend {

class DialogUnits {
 public:
  // Base units in pixels: the average character width and the height.
  DialogUnits(int baseX, int baseY);
  // The base units of a font, measured as Windows measures them: the width
  // of the 52 letters of the alphabet, averaged and rounded.
  static DialogUnits OfFont(const QFont& font);

  int BaseX() const { return baseX_; }
  int BaseY() const { return baseY_; }
  // Dialog units to pixels, rounded to the nearest pixel (halves away from 0).
  int X(int32_t units) const;
  int Y(int32_t units) const;

 private:
  int baseX_;
  int baseY_;
};

// The font a window definition asks for, or a sans font of the same size
// where that family is not installed (an 8-point sans for "MS Sans Serif" on
// most Linux systems). A size below 1 means 8 points.
QFont WindowFont(const std::string& family, int32_t points);

}  // namespace qtbackend
