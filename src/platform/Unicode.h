#pragma once
// Conversions between the program's texts and Unicode, for files that hold
// UTF-16 or UTF-8 whatever the program's own texts are (see TextIsUtf8).
#include <string>
#include <string_view>

namespace os {

// UTF-8 as UTF-16. A byte that begins no well-formed sequence is read as the
// Windows Western code page (1252) reads it, so that an older file's Western
// text keeps its characters; a surrogate written on its own in three bytes
// is taken as it is, so that any UTF-16 survives a trip through UTF-8.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 as UTF-8; a surrogate without its partner becomes three bytes of
// its own, which Utf8ToUtf16 turns back into it.
std::string Utf16ToUtf8(std::u16string_view text);

// The program's text as UTF-16 and back: on Windows by the system's
// conversion of the code page the program runs in (a character that page
// lacks becomes "?", as in the system's own "A" calls); elsewhere the texts
// are UTF-8.
std::u16string TextToUtf16(std::string_view text);
std::string Utf16ToText(std::u16string_view text);

// The program's text as UTF-8, for libraries that take UTF-8 names (SQLite's
// file names): the same bytes where the text is UTF-8.
std::string TextToUtf8(std::string_view text);

}  // namespace os
