#pragma once
// A fresh folder for one test's files, removed with everything in it when
// the test ends, and small helpers to look at files byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/TempDir.h"

namespace quibra_test {

class FileTestDir : public TempDir {
 public:
  std::string Root() const { return TempDir::Path().string(); }
  std::string Path(const std::string& name) const { return File(name); }

  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(TempDir::Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string Read(const std::string& path) { return ReadBytes(path); }
  static void Write(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }
  static void MakeReadOnly(const std::string& path) {
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::group_read | perms::others_read);
  }
};

// The bytes of a UTF-16 file with its byte-order mark.
inline std::string Utf16(std::u16string_view text, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// The byte-order mark of a UTF-8 file.
inline const std::string kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace quibra_test
