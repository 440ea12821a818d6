#pragma once
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

}  // namespace os
