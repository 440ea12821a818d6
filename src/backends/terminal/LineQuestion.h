#pragma once
// A message box asked as one line, where the terminal cannot be drawn on
// (TERM=dumb, no terminal description): the text, then the buttons with
// their keys, "Delete the old logs? [Y]es [N]o: ", answered with a key and
// Enter. Enter alone gives the default button.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "backends/terminal/BoxModel.h"

namespace terminal {

// Each button's key: its access key, else the first letter of its caption
// that no other button has taken; 0 where none is left.
std::vector<char> LineKeys(const BoxModel& box);

// The question as written before the answer is read: the text's lines, the
// last followed by the buttons, each with its key in brackets ("[Y]es [N]o").
std::string LinePrompt(const BoxModel& box);

// Which button an answered line presses (an index): the empty line the
// default, a key, or a caption written out (in any case); a '+' after it
// ticks the check box, where the box has one. None for anything else, and
// the question is asked again.
struct LineChoice {
  std::size_t button;
  bool ticked;
};
std::optional<LineChoice> LineAnswer(const BoxModel& box, const std::string& line);

}  // namespace terminal
