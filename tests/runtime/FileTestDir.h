#pragma once
// A fresh folder for one test's files, removed with everything in it when
// the test ends, and small helpers to look at files byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
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

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  static void MakeReadOnly(const std::string& path) {
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::group_read | perms::others_read);
  }
  // Waits, up to a limit, for a file to appear; true when it did.
  static bool AwaitFile(const std::string& path, std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    auto until = std::chrono::steady_clock::now() + limit;
    while (!std::filesystem::exists(path)) {
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }
};

}  // namespace quibra_test
