#pragma once
// A terminal of its own for a test: a tmux server on a private socket with
// one 80 by 24 window running a command, its screen read back cell by cell
// (characters, line drawing, bold, underline, reverse) and keys sent to it
// as a person types them.
#include <string>
#include <vector>

namespace terminal_test {

struct ScreenCell {
  char ch = ' ';
  bool line = false;  // a line-drawing character ('q' a horizontal line, 'l' a corner, ...)
  bool bold = false;
  bool underline = false;
  bool reverse = false;
};

struct Screen {
  std::vector<std::vector<ScreenCell>> rows;
  int cursorX = -1, cursorY = -1;
  std::string Row(int y) const;  // the row's characters, as they read
};

// Reads tmux's `capture-pane -e -p` output: SGR attributes and the shift
// in and out of the line-drawing set.
Screen ParseCapture(const std::string& captured);

class Tmux {
 public:
  // Whether tmux is installed.
  static bool Installed();
  explicit Tmux(const std::string& command, int columns = 80, int rows = 24);
  ~Tmux();
  Tmux(const Tmux&) = delete;
  Tmux& operator=(const Tmux&) = delete;

  Screen Capture() const;
  // Keys by tmux's names: "Tab", "BTab", "Enter", "Escape", "C-c", "y".
  void Send(const std::string& keys) const;
  std::string Run(const std::string& arguments) const;

 private:
  std::string socket_;
};

}  // namespace terminal_test
