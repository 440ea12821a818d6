#include "backends/qt/ListFormat.h"

#include <cctype>

namespace qtbackend {
namespace {

// The text up to the next `mark` after `pos`, moving `pos` past it; false
// when the mark is never closed.
bool TakeEnclosed(std::string_view format, std::size_t& pos, char mark, std::string& out) {
  std::size_t end = format.find(mark, pos + 1);
  if (end == std::string_view::npos) return false;
  out = std::string(format.substr(pos + 1, end - pos - 1));
  pos = end + 1;
  return true;
}

}  // namespace

std::vector<ListColumn> ParseListFormat(std::string_view format) {
  std::vector<ListColumn> columns;
  std::size_t pos = 0;
  while (pos < format.size()) {
    ListColumn column;
    while (pos < format.size() && std::isdigit(static_cast<unsigned char>(format[pos]))) {
      if (column.width < 100000) column.width = column.width * 10 + (format[pos] - '0');
      ++pos;
    }
    bool closed = false;
    while (pos < format.size() && !closed) {
      const char c = format[pos];
      if (c == '~') {
        if (!TakeEnclosed(format, pos, '~', column.header)) return columns;
      } else if (c == '@') {
        if (!TakeEnclosed(format, pos, '@', column.picture)) return columns;
        closed = true;
      } else {
        ++pos;
      }
    }
    if (!closed) break;
    columns.push_back(column);
  }
  return columns;
}

}  // namespace qtbackend
