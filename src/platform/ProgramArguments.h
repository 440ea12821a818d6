#pragma once
// A Windows command line as one string, the way a program is given it, and
// the parts that a program handing its arguments on to another one needs.
// Pure text work: the same on every system, so it is tested everywhere.
#include <string>
#include <string_view>

namespace os {

// What follows the program's name on a command line, the blanks after the
// name skipped and everything else left exactly as it is (quotes,
// backslashes, trailing blanks). The name ends at the first blank or tab
// outside double quotes; a quote inside the name opens or closes a quoted
// part, as the C runtime reads argv[0].
std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine);

// The program beside another one: its path with the file name's extension
// (from its last dot, if the name has one) replaced by the one given.
std::wstring SiblingProgram(std::wstring_view programPath, std::wstring_view extension);

// The command line that starts the program at path with those arguments:
// the path in quotes (a Windows path holds no quote), then the arguments
// as they are.
std::wstring CommandLineFor(std::wstring_view path, std::wstring_view arguments);

}  // namespace os
