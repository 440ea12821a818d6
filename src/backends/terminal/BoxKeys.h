#pragma once
// What a key does in a terminal's message box: the same for every drawer, and
// free of the terminal library, so that it can be tested as a table.
#include <cstddef>
#include <cstdint>

#include "backends/terminal/BoxModel.h"

namespace terminal {

enum class KeyName : uint8_t {
  None,
  Char,  // a key that types `ch`
  Alt,   // Alt with the key that types `ch`
  Tab,
  BackTab,
  Left,
  Right,
  Up,
  Down,
  PageUp,
  PageDown,
  Home,
  End,
  Enter,
  Space,
  Escape,
  Interrupt,  // Ctrl+C
  Resize,
  Click,  // the mouse's left button, at a cell the caller reads
  Backspace,
  Delete,
  Function,  // F1 and up: `ch` is its number
  Ended,     // no answer can come any more (the end of the input)
};

struct Key {
  KeyName name = KeyName::None;
  char ch = 0;
};

struct KeyOutcome {
  enum class Kind : uint8_t {
    Nothing,  // the key does nothing here
    Redraw,   // the box changed: focus, scrolling, the check box
    Press,    // the button `button` (an index) was pressed
    Dismiss,  // Escape or Ctrl+C: the close box's answer, where there is one
    Abandon,  // nobody can answer any more: the close box's answer, else none
  };
  Kind kind = Kind::Nothing;
  std::size_t button = 0;
};

// Applies the key to the box; `shownLines` is how many lines of its text the
// screen shows, for scrolling.
KeyOutcome HandleKey(BoxModel& box, Key key, std::size_t shownLines);

}  // namespace terminal
