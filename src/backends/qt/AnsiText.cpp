#include "backends/qt/AnsiText.h"

#include <QStringDecoder>
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

}  // namespace

QString FromAnsi(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  text.clear();
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char b : bytes) text.append(QChar(CharOf(static_cast<unsigned char>(b))));
  return text;
}

std::string ToAnsi(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace qtbackend
