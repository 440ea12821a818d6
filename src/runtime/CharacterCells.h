#pragma once
// Dialog units in character cells, for a backend that draws in a terminal: a
// cell is a font's character, its own average width and height, so a cell is
// 4 by 8 units and the conversions are DialogUnits.h's with one-cell base
// units.
#include <cstdint>

#include "runtime/Backend.h"
#include "runtime/DialogUnits.h"

namespace rt {

inline constexpr BaseUnits kCellBaseUnits{1, 1};
constexpr int32_t kUnitsPerCellX = PixelsToUnitsX(1, kCellBaseUnits);
constexpr int32_t kUnitsPerCellY = PixelsToUnitsY(1, kCellBaseUnits);

// Units to the nearest cell, halves away from 0.
constexpr int32_t CellsX(int32_t units) { return UnitsToPixelsX(units, kCellBaseUnits); }
constexpr int32_t CellsY(int32_t units) { return UnitsToPixelsY(units, kCellBaseUnits); }

// A terminal of `columns` by `rows` cells as a screen in dialog units.
constexpr ScreenArea CellScreen(int32_t columns, int32_t rows) { return ScreenInUnits(columns, rows, kCellBaseUnits); }

}  // namespace rt
