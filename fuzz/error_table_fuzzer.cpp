// The error table loader: a stored table is a count, then per entry an id,
// a level and two length-prefixed texts. Whatever the bytes, loading reads
// nothing outside them, keeps only whole entries, and every entry it keeps
// can be looked up and expanded.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "framework/error/ErrorManager.h"

namespace {

bool Inside(std::string_view text, const uint8_t* data, std::size_t size) {
  const auto* begin = reinterpret_cast<const char*>(data);
  return text.empty() || (text.data() >= begin && text.data() + text.size() <= begin + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  quibra::ErrorManager manager;
  const int32_t loaded = manager.LoadTable(data, size);
  const std::size_t promised = size >= 2 ? (data[0] | data[1] << 8) : 0;
  fuzz::Check(loaded >= 0 && static_cast<std::size_t>(loaded) <= promised, "more entries than the count promises");
  // Each entry takes at least five bytes: id, level and two length bytes.
  fuzz::Check(size < 2 || static_cast<std::size_t>(loaded) * 5 <= size - 2, "more entries than the bytes can hold");
  fuzz::Check(manager.ERRORS && manager.ERRORS->Records() == loaded, "the list holds another number of entries");

  // The last definition of an id wins, as a later table's overrides an earlier one's.
  for (int32_t n = 1; n <= loaded; ++n) {
    const quibra::ErrorEntry entry = manager.ERRORS->At(n);
    fuzz::Check(Inside(entry.TITLE, data, size) && Inside(entry.MESSAGE, data, size), "a text outside the table");
    fuzz::Check(manager.Locate(entry.ID) == quibra::LevelOk, "a loaded id is not found");
    int32_t last = 0;
    for (int32_t k = 1; k <= loaded; ++k)
      if (manager.ERRORS->At(k).ID == entry.ID) last = k;
    fuzz::Check(manager.ERRORS->Pointer() == last, "an earlier definition of an id was found");
    fuzz::Check(manager.ExpandText().size() <= 1999, "an expansion longer than its buffer");
  }

  // A table cut anywhere loads no more than the whole one.
  if (size > 2) {
    quibra::ErrorManager cut;
    fuzz::Check(cut.LoadTable(data, size - 1) <= loaded, "a shorter table loaded more entries");
  }
  return 0;
}
