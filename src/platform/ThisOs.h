#pragma once
#include <string>
#include <string_view>
// Which family of operating systems the program was built for, where a
// person's expectations differ (how a command line is quoted, say).

namespace os {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Whether the program's texts (the bytes of the Win32 "A" calls) are UTF-8:
// always on Linux; on Windows where the system runs the program in the UTF-8
// code page (its manifest asks for it), else they are the Windows code page,
// one byte a character.
bool TextIsUtf8();

// The program's text as UTF-8, for libraries that take UTF-8 names (SQLite's
// file names): the same bytes where the text is UTF-8, else converted from the
// Windows code page.
std::string Utf8OfText(std::string_view text);

}  // namespace os
