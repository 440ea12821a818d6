#pragma once
// Shows the box a command line asks for and gives the exit status of its
// answer. The entry point calls it with the backend installed and the
// process's streams; tests call it on the headless backend with their own.
#include <cstdint>
#include <iosfwd>
#include <string_view>

#include "composer/CommandLine.h"

namespace quibra {

// Reads the text from `in` when the command line asks for that, installs or
// removes the native message hook as its style says, shows the box, prints
// the pressed button's name on `out` when asked, and returns the exit
// status. A box that could not be shown is said on `err`, after the
// program's name.
int32_t RunCommandLine(const CommandLine& line, std::string_view program, std::istream& in, std::ostream& out,
                       std::ostream& err);

}  // namespace quibra
