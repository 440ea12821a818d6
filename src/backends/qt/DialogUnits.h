#pragma once
// Dialog units of a Qt font: the runtime's conversions (runtime/DialogUnits.h)
// with the base units Qt measures.
#include <QFont>
#include <cstdint>
#include <string>

#include "runtime/DialogUnits.h"

namespace qtbackend {

class DialogUnits {
 public:
  // Base units in pixels: the average character width and the height.
  DialogUnits(int baseX, int baseY);
  // The base units of a font, measured as the runtime says (rt::BaseUnitsOfFont).
  static DialogUnits OfFont(const QFont& font);

  int BaseX() const { return base_.x; }
  int BaseY() const { return base_.y; }
  // Dialog units to pixels, rounded to the nearest pixel (halves away from 0).
  int X(int32_t units) const;
  int Y(int32_t units) const;
  // A screen of width by height pixels in the whole units that fit on it.
  rt::ScreenArea Screen(int width, int height) const;

 private:
  rt::BaseUnits base_;
};

// The font a window definition asks for, or a sans font of the same size
// where that family is not installed (an 8-point sans for "MS Sans Serif" on
// most Linux systems). A size below 1 means 8 points.
QFont WindowFont(const std::string& family, int32_t points);

}  // namespace qtbackend
