#pragma once
// The controlling terminal (/dev/tty), never standard input or output, so
// that a script can read what the program prints while the person answers
// on the terminal. While a box is shown it is drawn with ncurses (on the
// alternate screen, in raw mode); where the terminal cannot be drawn on
// (TERM=dumb, no terminal description) the question is asked as one line.
// Whatever ends the program, the terminal is left as it was found.
#include <functional>
#include <string>

#include "backends/terminal/BoxKeys.h"
#include "backends/terminal/BoxLayout.h"
#include "backends/terminal/BoxModel.h"

namespace terminal {

class Terminal {
 public:
  static Terminal& Get();
  // Whether the process has a terminal to ask on (/dev/tty opens).
  static bool AtHand();

  // Starts a box: opens the terminal for drawing, or for one line where it
  // cannot be drawn on. Boxes nest (a box shown from inside another window);
  // the terminal is given back when the last one ends. False when there is
  // no terminal at all.
  bool Begin();
  void End();
  bool Drawing() const { return screen_ != nullptr; }
  // The terminal's size in cells (80 by 24 where it cannot be told).
  void Size(int& columns, int& rows) const;

  // Shows the box and waits up to `milliseconds` (-1: for ever) for the
  // person; `timedOut` says the time ran out. In line mode the question is
  // written once per box and the answer read as a line.
  KeyOutcome Step(BoxModel& box, int milliseconds, bool& timedOut);

  // The next key, waiting up to `milliseconds` (-1: for ever); KeyName::None
  // when the time ran out. A click gives its cell.
  Key ReadKey(int milliseconds, int& clickX, int& clickY);
  // What is drawn under a box: the windows it is shown over.
  void SetBackdrop(std::function<void()> backdrop) { backdrop_ = std::move(backdrop); }
  // Clears the screen, draws what `paint` draws and shows it.
  void Show(const std::function<void()>& paint);
  bool LineDrawing() const { return lineDrawing_; }
  // Bytes for the terminal itself (a control sequence), written past the
  // drawing; false where there is no terminal.
  bool Send(const std::string& bytes);

 private:
  void Paint(const BoxModel& box, const BoxLayout& layout);
  KeyOutcome AskLine(BoxModel& box, int milliseconds, bool& timedOut);

  void* screen_ = nullptr;  // ncurses' SCREEN
  void* tty_ = nullptr;     // the FILE of /dev/tty
  int depth_ = 0;
  bool asked_ = false;   // line mode: the question of this box is written
  std::string pending_;  // line mode: what was typed of the answer so far
  bool lineDrawing_ = true;
  std::function<void()> backdrop_;
};

}  // namespace terminal
