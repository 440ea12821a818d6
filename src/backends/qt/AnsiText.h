#pragma once
// The runtime's texts are bytes; on Linux they are UTF-8, as every Linux
// desktop's texts are (the Windows program keeps the Windows code page of the
// Win32 "A" calls). Qt's are Unicode. Every text crosses here.
#include <QString>
#include <string>
#include <string_view>

namespace qtbackend {

// UTF-8 bytes as their characters. Bytes that are no UTF-8 (a settings file
// that an older build wrote in the Windows Western code page, 1252) are read
// in that code page, so that nothing they hold turns into question marks: each
// byte one character, 0x80 to 0x9F with their code page meaning (0x80 is the
// euro sign), the five the code page leaves unused standing for themselves.
QString FromAnsi(std::string_view bytes);
// The characters as UTF-8; every character has its bytes.
std::string ToAnsi(const QString& text);

}  // namespace qtbackend
