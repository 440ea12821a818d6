#include "backends/win32/ListFormat.h"

#include <cctype>

namespace win32 {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::vector<ListColumn> ParseListFormat(std::string_view format) {
  std::vector<ListColumn> columns;
  std::size_t i = 0;
  while (i < format.size()) {
    ListColumn column;
    int64_t width = 0;
    while (i < format.size() && IsDigit(format[i])) {
      width = width * 10 + (format[i] - '0');
      if (width > 32767) width = 32767;  // a list is never wider than that
      ++i;
    }
    column.width = static_cast<int32_t>(width);
    if (i < format.size()) {
      char a = static_cast<char>(std::toupper(static_cast<unsigned char>(format[i])));
      if (a == 'L' || a == 'R' || a == 'C' || a == 'D') {
        column.align = a == 'D' ? 'R' : a;
        ++i;
      }
    }
    // The rest of the column up to its closing '@': the header is the first
    // text between '~' (it may hold '@'); the picture follows the first '@'.
    bool haveHeader = false;
    int ats = 0;
    while (i < format.size() && ats < 2) {
      char c = format[i++];
      if (c == '~') {
        std::string text;
        while (i < format.size() && format[i] != '~') text += format[i++];
        if (i < format.size()) ++i;  // the closing '~'
        if (!haveHeader) column.header = text;
        haveHeader = true;
      } else if (c == '@') {
        ++ats;
      } else if (ats == 1) {
        column.picture += c;
      }
    }
    columns.push_back(column);
  }
  if (columns.empty()) columns.emplace_back();
  return columns;
}

}  // namespace win32
