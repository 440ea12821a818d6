#include "runtime/ListFormat.h"

#include <algorithm>
#include <cctype>

namespace rt {

std::vector<ListColumn> ParseListFormat(std::string_view format) {
  std::vector<ListColumn> columns;
  std::size_t i = 0;
  while (i < format.size()) {
    ListColumn column;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) {
      column.width = std::min(column.width * 10 + (format[i] - '0'), 32767);
      ++i;
    }
    if (i < format.size()) {
      const char a = static_cast<char>(std::toupper(static_cast<unsigned char>(format[i])));
      if (a == 'L' || a == 'R' || a == 'C' || a == 'D') {
        column.align = a == 'D' ? 'R' : a;
        ++i;
      }
    }
    // The rest of the column up to its closing '@': the header is the first
    // text between '~'; the picture lies between the two '@'.
    bool haveHeader = false;
    int ats = 0;
    while (i < format.size() && ats < 2) {
      const char c = format[i++];
      if (c == '~') {
        const std::size_t close = format.find('~', i);
        if (close == std::string_view::npos) return columns;  // a header never closed ends the format
        if (!haveHeader) column.header = std::string(format.substr(i, close - i));
        haveHeader = true;
        i = close + 1;
      } else if (c == '@') {
        ++ats;
      } else if (ats == 1) {
        column.picture += c;
      }
    }
    if (ats < 2) break;  // a picture never closed does not count
    columns.push_back(std::move(column));
  }
  return columns;
}

}  // namespace rt
