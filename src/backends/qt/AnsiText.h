#pragma once
// The runtime's texts are bytes in the Windows Western code page (1252), as
// the Win32 "A" calls take them; Qt's are Unicode. Every text crosses here.
#include <QString>
#include <string>
#include <string_view>

namespace qtbackend {

// Each byte becomes one character; the bytes 0x80 to 0x9F take their code
// page meaning (0x80 is the euro sign), the five the code page leaves unused
// stand for themselves.
QString FromAnsi(std::string_view bytes);
// Each character becomes one byte; a character the code page lacks becomes
// '?' (one '?' for a character outside the basic plane, too).
std::string ToAnsi(const QString& text);

}  // namespace qtbackend
