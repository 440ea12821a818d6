#pragma once
// Where a window definition's controls stand in character cells, and where
// the window stands on a terminal of a given size. Free of the terminal
// library, so that every definition can be laid out in a test.
//
// A rectangle in dialog units takes the cells it reaches into: a cell is 4
// units wide and 8 high, so a group from y 31 to 104 takes rows 3 to 12. A
// control of one line (a prompt, an entry, a spin, a button, a radio, a check
// box) takes the row its top is in. A size of 0 is the text's own width: a
// caption with its mark ("( ) ", "[ ] ", "[ ... ]"). Where that leaves no
// blank cell before a fixed-width control to its right on the same row, that
// control gives up its first cells while it keeps at least three, else the
// text is cut.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/ControlDef.h"
#include "runtime/WindowDef.h"

namespace terminal {

struct CellRect {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }  // one past
  int Bottom() const { return y + height; }
  bool Contains(int cx, int cy) const { return cx >= x && cx < Right() && cy >= y && cy < Bottom(); }
  bool Overlaps(const CellRect& o) const { return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom(); }
  bool Inside(const CellRect& o) const {
    return x >= o.x && y >= o.y && Right() <= o.Right() && Bottom() <= o.Bottom();
  }
};

struct ControlCells {
  int32_t number = 0;
  rt::ControlKind kind = rt::ControlKind::Prompt;
  CellRect cells;  // in the window's client area, 0,0 its top left cell
};

struct WindowLayout {
  int width = 0, height = 0;           // the client area, without the frame
  std::vector<ControlCells> controls;  // in definition order
  const ControlCells* Find(int32_t number) const;
};

// Whether the kind draws in one row.
bool OneRowKind(rt::ControlKind kind);
// What a caption-sized control draws before its caption: "( ) ", "[ ] ".
const char* CaptionMark(rt::ControlKind kind);

// The layout of `def`; `textOf` gives a control's caption now (the window's
// text, which the program may have changed), by default its definition's.
using TextOf = std::function<std::string(const rt::ControlDef&)>;
WindowLayout LayOutWindow(const rt::WindowDef& def, const TextOf& textOf = {});

// Where the window's frame stands on a terminal of `columns` by `rows`:
// centred where it fits; where it does not, moved so that `keep` (a
// control's cells, or an empty rect) shows, and cut at the terminal's edge.
struct WindowPlace {
  int x = 0, y = 0;           // the frame's top left cell on the terminal (may be off it)
  int width = 0, height = 0;  // the frame, borders included
  bool cutLeft = false, cutRight = false, cutTop = false, cutBottom = false;
  int ClientX() const { return x + 1; }
  int ClientY() const { return y + 1; }
};
WindowPlace PlaceWindow(const WindowLayout& layout, int columns, int rows, const CellRect& keep);

}  // namespace terminal
