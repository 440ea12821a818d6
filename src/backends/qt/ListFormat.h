#pragma once
// A list control's column format: for each column its width in dialog units,
// then modifiers, its header between '~' and its display picture between two
// '@', e.g. "217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qtbackend {

struct ListColumn {
  int32_t width = 0;  // dialog units; 0 when the format gives none
  std::string header;
  std::string picture;
  bool operator==(const ListColumn&) const = default;
};

// The columns in order. A column counts once its picture is closed, as the
// runtime counts them; a header may hold any character, '@' included.
std::vector<ListColumn> ParseListFormat(std::string_view format);

}  // namespace qtbackend
