#include "backends/terminal/CursesAttr.h"

#include "backends/terminal/TextCells.h"

namespace terminal {

void PutCharacter(int y, int x, char32_t character, chtype attr) {
  if (character < 0x80) {
    mvaddch(y, x, static_cast<chtype>(character) | attr);
    return;
  }
  const wchar_t wide[2] = {static_cast<wchar_t>(character), 0};
  cchar_t cell;
  setcchar(&cell, wide, attr & A_ATTRIBUTES & ~A_COLOR, static_cast<short>(PAIR_NUMBER(attr)), nullptr);
  mvadd_wch(y, x, &cell);
}

void Put(int y, int x, std::string_view text, chtype attr) {
  for (const char32_t character : Characters(text)) {
    const int cells = CharacterCells(character);
    if (cells == 0) continue;  // a combining mark: text is drawn composed
    PutCharacter(y, x, character, attr);
    x += cells;
  }
}

void PutAccessKey(int y, int x, std::string_view text, std::size_t place, chtype attr) {
  if (place >= text.size()) return;
  const std::u32string key = Characters(text.substr(place, CellBytes(text.substr(place), 2)));
  if (!key.empty()) PutCharacter(y, x + Cells(text.substr(0, place)), key[0], attr | A_UNDERLINE);
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
