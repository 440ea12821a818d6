#pragma once
// The column format of a list control, as window definitions write it: each
// column is its width in dialog units, its alignment letter (L, R, C or D)
// with an optional indent in brackets, optional flags, its header between '~'
// and its display picture between two '@', which ends the column:
//   217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@
// The runtime counts a list's columns from it, and every backend draws them
// from it, so all agree.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

struct ListColumn {
  int32_t width = 0;  // dialog units; 0 = let the list decide
  char align = 'L';   // 'L', 'R' or 'C'; a decimal column ('D') aligns right
  std::string header;
  std::string picture;
  bool operator==(const ListColumn&) const = default;
};

// The columns, in order. A column counts once its picture is closed by its
// second '@'; a header may hold any character, '@' included. Flags that say
// how to draw (borders, resizing, colours) are skipped. Widths are held to
// 32767 units.
std::vector<ListColumn> ParseListFormat(std::string_view format);

}  // namespace rt
