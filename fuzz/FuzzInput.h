#pragma once
// Cuts a fuzzer's bytes into the parts a harness hands the code under test.
// Parts are separated by a NUL byte, so that a corpus file is readable and
// easy to write by hand; a part may hold any other byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

class Parts {
 public:
  Parts(const uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next part, up to the next NUL; empty once the input is used up.
  std::string Next() {
    const std::size_t end = rest_.find('\0');
    std::string part(rest_.substr(0, end));
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    return part;
  }
  // The first byte of the next part (0 for an empty one).
  uint8_t Byte() {
    const std::string part = Next();
    return part.empty() ? 0 : static_cast<uint8_t>(part[0]);
  }
  // Every part left.
  std::vector<std::string> All() {
    std::vector<std::string> all;
    while (!rest_.empty()) all.push_back(Next());
    return all;
  }
  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// A broken promise of the code under test: said, then the fuzzer is stopped
// so that it keeps the input.
[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n", what);
  if (!detail.empty()) std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
  std::abort();
}

inline void Check(bool ok, const char* what, std::string_view detail = {}) {
  if (!ok) Fail(what, detail);
}

}  // namespace fuzz
