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

// Text at a cell, byte by byte; what falls off the screen is not drawn.
void Put(int y, int x, std::string_view text, chtype attr);
// A frame of lines (or of '+', '-' and '|' where the terminal has none),
// filled with blanks of `fill`.
void Frame(int x, int y, int width, int height, chtype line, chtype fill, bool lineDrawing);

}  // namespace terminal
