// Dialog units both ways, which every backend draws with: a font's base
// units, units to pixels and back, a screen in units, and a terminal's cells.
#include <gtest/gtest.h>

#include "runtime/CharacterCells.h"
#include "runtime/DialogUnits.h"

namespace {

using rt::BaseUnits;

TEST(DialogUnits, BaseUnitsComeFromTheLettersAverageAndTheHeight) {
  const struct {
    const char* label;
    int32_t letters, height;
    BaseUnits expected;
  } rows[] = {
      {"the classic font", 323, 13, {6, 13}},
      {"an average of 6.5 rounds up", 338, 13, {7, 13}},
      {"an average just below 6.5 rounds down", 337, 13, {6, 13}},
      {"a font that measures nothing falls back", 0, 0, {6, 13}},
      {"a negative height falls back", 323, -13, {6, 13}},
      {"a tiny font keeps one pixel", 20, 4, {1, 4}},
  };
  for (const auto& row : rows) EXPECT_EQ(rt::BaseUnitsOfFont(row.letters, row.height), row.expected) << row.label;
}

TEST(DialogUnits, BothWaysRoundedToTheNearestHalvesAwayFromZero) {
  const struct {
    const char* label;
    BaseUnits base;
    int32_t units;
    int32_t across, down;  // pixels
  } toPixels[] = {
      {"the composer's width and height", {6, 13}, 241, 362, 392},
      {"one unit: a half and five eighths round up", {6, 13}, 1, 2, 2},
      {"a quarter rounds down", {5, 13}, 1, 1, 2},
      {"the entry height of 10", {6, 13}, 10, 15, 16},
      {"zero", {7, 15}, 0, 0, 0},
      {"a negative position rounds away from zero", {6, 13}, -1, -2, -2},
      {"and symmetrically", {6, 13}, -7, -11, -11},
      {"the product is taken in 64 bits", {8, 16}, 1000000000, 2000000000, 2000000000},
      {"a result beyond 32 bits is held there", {16, 32}, 1000000000, INT32_MAX, INT32_MAX},
      {"a terminal's cell: a half rounds up, less down", rt::kCellBaseUnits, 2, 1, 0},
      {"a cell's units round to the nearest cell", rt::kCellBaseUnits, 50, 13, 6},
      {"and away from zero below it", rt::kCellBaseUnits, -4, -1, -1},
  };
  for (const auto& row : toPixels) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(rt::UnitsToPixelsX(row.units, row.base), row.across);
    EXPECT_EQ(rt::UnitsToPixelsY(row.units, row.base), row.down);
  }
  const struct {
    const char* label;
    BaseUnits base;
    int32_t pixels;
    int32_t across, down;  // units
  } toUnits[] = {
      {"the composer's width in pixels", {6, 13}, 362, 241, 223},
      {"its height", {6, 13}, 392, 261, 241},
      {"halves round away from zero", {8, 16}, 1, 1, 1},
      {"below a half rounds to zero", {9, 17}, 1, 0, 0},
      {"negative pixels alike", {8, 16}, -1, -1, -1},
      {"base units of zero count as one pixel", {0, 0}, 3, 12, 24},
  };
  for (const auto& row : toUnits) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(rt::PixelsToUnitsX(row.pixels, row.base), row.across);
    EXPECT_EQ(rt::PixelsToUnitsY(row.pixels, row.base), row.down);
  }
}

TEST(DialogUnits, AScreenInTheWholeUnitsThatFitOnIt) {
  const struct {
    const char* label;
    int32_t width, height;
    BaseUnits base;
    int32_t units, unitsDown;
  } rows[] = {
      {"1024 by 768 less a task bar, a part unit left out", 1024, 728, {6, 13}, 682, 448},
      {"a larger font fits fewer", 1920, 1040, {8, 16}, 960, 520},
      {"no base units count as one pixel", 10, 10, {0, -1}, 40, 80},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const rt::ScreenArea screen = rt::ScreenInUnits(row.width, row.height, row.base);
    EXPECT_EQ(screen.width, row.units);
    EXPECT_EQ(screen.height, row.unitsDown);
  }
  // The terminal's names for the conversions with one-cell base units.
  EXPECT_EQ(rt::CellScreen(80, 24).width, 320) << "a terminal of 80 by 24 cells";
  EXPECT_EQ(rt::CellScreen(80, 24).height, 192);
  EXPECT_EQ(rt::CellsX(6), 2);
  EXPECT_EQ(rt::CellsY(12), 2);
  EXPECT_EQ(rt::kUnitsPerCellX, 4);
  EXPECT_EQ(rt::kUnitsPerCellY, 8);
}

}  // namespace
