#pragma once
// The column format of a list control, as window definitions write it:
// each column is its width in dialog units, its alignment letter (L, R, C or
// D) with an optional indent in brackets, optional flags, its header between
// '~' and its display picture between two '@', which ends the column:
//   217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win32 {

struct ListColumn {
  int32_t width = 0;  // dialog units; 0 = let the list decide
  char align = 'L';   // 'L', 'R' or 'C'; decimal 'D' aligns right
  std::string header;
  std::string picture;
  bool operator==(const ListColumn&) const = default;
};

// The columns, in order. A column that is not closed by its second '@' is
// still a column (a definition cut short shows what it has); flags this
// backend does not draw (borders, resizing, colours) are skipped. An empty
// format gives one column without a header.
std::vector<ListColumn> ParseListFormat(std::string_view format);

}  // namespace win32
