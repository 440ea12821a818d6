#include "backends/qt/AnsiText.h"

#include <array>

namespace qtbackend {
namespace {

// The characters of the bytes 0x80 to 0x9F; 0 marks the five unused bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t CharOf(unsigned char byte) {
  if (byte < 0x80 || byte > 0x9F) return byte;
  char16_t c = kHighControls[byte - 0x80];
  return c ? c : byte;
}

char ByteOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    if (kHighControls[i] == 0 && c == 0x80 + i) return static_cast<char>(c);
  }
  return '?';
}

}  // namespace

QString FromAnsi(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char b : bytes) text.append(QChar(CharOf(static_cast<unsigned char>(b))));
  return text;
}

std::string ToAnsi(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      bytes += '?';
      ++i;
      continue;
    }
    bytes += ByteOf(c.unicode());
  }
  return bytes;
}

}  // namespace qtbackend
