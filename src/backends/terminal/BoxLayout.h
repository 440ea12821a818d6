#pragma once
// Where a message box stands on a terminal of a given size, in cells: its
// frame, its text, the buttons' labels and places. Free of the terminal
// library, so that the layout can be tested for any size.
#include <cstddef>
#include <string>
#include <vector>

#include "backends/terminal/BoxModel.h"

namespace terminal {

struct Cell {
  int x = 0;
  int y = 0;
};

struct BoxLayout {
  int x = 0, y = 0, width = 0, height = 0;  // the frame, borders included
  int textX = 0, textY = 0;
  int textWidth = 0;
  std::size_t shownLines = 0;  // of the text, the rest scrolls
  bool scrolls = false;
  Cell icon;                            // where the icon's sign stands (when the box has an icon)
  Cell checkBox;                        // where the check box stands (when it has one)
  Cell closeBox;                        // where "[x]" stands in the top border (when Escape answers)
  std::vector<Cell> buttons;            // where each button's label starts
  std::vector<std::string> labels;      // each button's label, as drawn
  std::vector<std::size_t> accessKeys;  // where the access key stands in its label; npos: none
};

// The sign a box shows for an icon code, "(?)"; empty for none.
const char* IconSign(const std::string& icon);

// A button's label: "[ Yes ]", the default's "[[Yes]]".
std::string ButtonLabel(const std::string& caption, bool isDefault);

// The box centred on a terminal of `columns` by `rows`; a text taller than
// the terminal leaves scrolls.
BoxLayout LayOut(const BoxModel& box, int columns, int rows);

}  // namespace terminal
