#include "backends/terminal/TextCells.h"

#include <cwchar>

#include "platform/Unicode.h"
#include "runtime/Text.h"

namespace terminal {

std::u32string Characters(std::string_view text) {
  const std::u16string units = os::Utf8ToUtf16(text);
  std::u32string characters;
  characters.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      characters.push_back(0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else {
      const bool control = unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit < 0xA0);
      characters.push_back(control || (unit >= 0xD800 && unit < 0xE000) ? U' ' : unit);
    }
  }
  return characters;
}

int CharacterCells(char32_t character) {
  if (character < 0x80) return 1;
  const int cells = wcwidth(static_cast<wchar_t>(character));
  // A character the locale cannot show still takes its cell.
  return cells < 0 ? 1 : cells;
}

int Cells(std::string_view text) {
  int cells = 0;
  for (const char32_t c : Characters(text)) cells += CharacterCells(c);
  return cells;
}

std::size_t CellBytes(std::string_view text, int cells) {
  std::size_t bytes = 0;
  for (int used = 0; bytes < text.size();) {
    const std::size_t length = rt::ColumnBytes(text.substr(bytes), 1);
    const std::u32string one = Characters(text.substr(bytes, length));
    const int width = one.empty() ? 0 : CharacterCells(one[0]);
    if (used + width > cells) break;
    used += width;
    bytes += length;
  }
  return bytes;
}

}  // namespace terminal
