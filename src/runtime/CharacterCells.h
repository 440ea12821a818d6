#pragma once
// Dialog units in character cells, for a backend that draws in a terminal: a
// horizontal unit is a quarter of a character's width and a vertical unit an
// eighth of its height, as with any font, so a cell is 4 by 8 units.
#include <cstdint>

#include "runtime/Backend.h"

namespace rt {

constexpr int32_t kUnitsPerCellX = 4;
constexpr int32_t kUnitsPerCellY = 8;

namespace detail {
// units / per, rounded to the nearest cell, halves away from 0.
constexpr int32_t RoundedCells(int32_t units, int32_t per) {
  return units >= 0 ? (units + per / 2) / per : -((-units + per / 2) / per);
}
}  // namespace detail

constexpr int32_t CellsX(int32_t units) { return detail::RoundedCells(units, kUnitsPerCellX); }
constexpr int32_t CellsY(int32_t units) { return detail::RoundedCells(units, kUnitsPerCellY); }

// A terminal of `columns` by `rows` cells as a screen in dialog units.
constexpr ScreenArea CellScreen(int32_t columns, int32_t rows) {
  return {columns * kUnitsPerCellX, rows * kUnitsPerCellY};
}

}  // namespace rt
