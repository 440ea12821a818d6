#pragma once
// What a person's key or click does in a window drawn in the terminal: the
// runtime window's input and the events it posts, as a desktop window's
// would (an edit accepted when the focus leaves its field, a radio's choice
// accepted for its group, Enter pressing the default button, Escape asking
// to close). Free of the terminal library, so that it can be tested as a
// table on a window prepared from any definition.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "backends/terminal/BoxKeys.h"
#include "backends/terminal/WindowLayout.h"

namespace rt {
class Window;
}

namespace terminal {

// The state of a person's using a window that the runtime does not keep.
struct WindowView {
  WindowLayout layout;
  int32_t pendingEdit = 0;               // the field typed into that has not been accepted yet
  int32_t lastKey = 0;                   // the key code of the last key or click, for the events it causes
  std::map<int32_t, std::size_t> caret;  // where typing goes in an entry or a spin, in bytes
  std::map<int32_t, int32_t> listTop;    // the first row a list shows (from 1)
  bool menuOpen = false;                 // the window's commands are listed
  std::size_t menuItem = 0;
  std::string status;  // a line for the person, shown until the next key
};

// The controls Tab goes through, in definition order: the visible ones that
// take the focus, an option group's radios once (at the chosen one, else
// the first).
std::vector<int32_t> FocusStops(const rt::Window& window);

// The rows of a list's cells that show rows (the first is the header where
// its format names columns).
int ListRows(const rt::Window& window, const ControlCells& list);

// The key's effect; true when what is drawn changed.
bool WindowKey(rt::Window& window, WindowView& view, Key key);
// A click of the mouse's left button at a cell of the client area.
bool WindowClick(rt::Window& window, WindowView& view, int x, int y);
// The program moved the focus: a control that cannot take it (a prompt)
// hands it on to the next that can, and the runtime learns where it went.
void ApplyFocus(rt::Window& window, WindowView& view, int32_t control);
// The window is covered by another, or comes back on top.
void WindowCovered(rt::Window& window, WindowView& view);
void WindowUncovered(rt::Window& window);

// The first byte a field `width` cells wide shows, so that its caret shows.
std::size_t FieldScroll(std::size_t caret, int width);

// The runtime's key code of a key ("A" 65, F1 112, Enter 13); 0 for none.
int32_t KeyCodeOf(Key key);

}  // namespace terminal
