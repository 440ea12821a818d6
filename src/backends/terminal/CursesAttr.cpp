#include "backends/terminal/CursesAttr.h"

namespace terminal {

void Put(int y, int x, std::string_view text, chtype attr) {
  for (std::size_t i = 0; i < text.size(); ++i)
    mvaddch(y, x + static_cast<int>(i), static_cast<unsigned char>(text[i]) | attr);
}

void Frame(int x, int y, int width, int height, chtype line, chtype fill, bool lineDrawing) {
  const int right = x + width - 1, bottom = y + height - 1;
  for (int row = y; row <= bottom; ++row)
    Put(row, x, std::string(static_cast<std::size_t>(std::max(0, width)), ' '), fill);
  const chtype h = lineDrawing ? ACS_HLINE : '-', v = lineDrawing ? ACS_VLINE : '|';
  for (int col = x + 1; col < right; ++col) {
    mvaddch(y, col, h | line);
    mvaddch(bottom, col, h | line);
  }
  for (int row = y + 1; row < bottom; ++row) {
    mvaddch(row, x, v | line);
    mvaddch(row, right, v | line);
  }
  mvaddch(y, x, (lineDrawing ? ACS_ULCORNER : '+') | line);
  mvaddch(y, right, (lineDrawing ? ACS_URCORNER : '+') | line);
  mvaddch(bottom, x, (lineDrawing ? ACS_LLCORNER : '+') | line);
  mvaddch(bottom, right, (lineDrawing ? ACS_LRCORNER : '+') | line);
}

}  // namespace terminal
