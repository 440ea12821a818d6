#pragma once
// A window definition's window drawn on the terminal with ncurses: its frame
// and title, each control in its cells, the focus and the cursor on it, the
// window's commands when they are listed, and the cues of a window cut at
// the terminal's edge.
#include "backends/terminal/WindowInput.h"
#include "backends/terminal/WindowLayout.h"

namespace rt {
class Window;
}

namespace terminal {

// Draws the window at `place`; `active` is the window on top, which shows
// the focus and takes the cursor.
void PaintWindow(const rt::Window& window, const WindowView& view, const WindowPlace& place, bool active,
                 bool lineDrawing);

// Where "[x]" stands on the frame (screen cells), which a click answers as
// the close box.
int CloseBoxX(const WindowPlace& place);

}  // namespace terminal
