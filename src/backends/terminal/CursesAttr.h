#pragma once
// The colour pairs the terminal draws with, where it has colours, and what
// stands for each where it has none. For the backend's drawing files only:
// it includes the terminal library.
#include <curses.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace terminal {

enum Pair : short { PairBox = 1, PairFocus, PairAlert, PairKey, PairIcon, PairField };

inline chtype Attr(Pair pair, chtype otherwise) { return has_colors() ? COLOR_PAIR(pair) : otherwise; }

// One character at a cell, with the attributes and colour pair of `attr`.
void PutCharacter(int y, int x, char32_t character, chtype attr);
// Text from a cell on, each character in its cells (TextCells.h); what falls off the screen is not drawn.
void Put(int y, int x, std::string_view text, chtype attr);
// The access key of a text Put at (y, x): the character that begins at byte
// `place` of the text, underlined in its cell. Nothing where place is npos.
void PutAccessKey(int y, int x, std::string_view text, std::size_t place, chtype attr);
// A frame of lines (or of '+', '-' and '|' where the terminal has none),
// filled with blanks of `fill`.
void Frame(int x, int y, int width, int height, chtype line, chtype fill, bool lineDrawing);

}  // namespace terminal
