#pragma once
// A key of a file: the record fields it orders by. Only a keyed driver uses
// keys; a file of the ASCII driver has none.
#include <cstdint>
#include <string>
#include <vector>

namespace rt {

struct FileKey {
  struct Part {
    uint16_t field = 1;  // the record's field, numbered from 1
    bool descending = false;
  };

  std::string name;
  std::vector<Part> parts;
  bool unique = false;
  bool caseSensitive = true;
};

}  // namespace rt
