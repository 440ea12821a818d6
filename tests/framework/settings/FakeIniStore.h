#pragma once
// An INI store whose file is a map in memory and which records every read and
// write it is asked for, so that tests can see what the store's operations ask
// of the file without depending on the runtime's INI code.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/settings/IniStore.h"
#include "runtime/ErrorState.h"

namespace settings_test {

class FakeIniStore : public quibra::IniStore {
 public:
  // Keyed by "section|entry".
  std::map<std::string, std::string> values;
  std::vector<std::string> reads;   // "section|entry"
  std::vector<std::string> writes;  // "section|entry=value"
  std::vector<std::string> files;   // the file name of every read and write
  // When non-zero, reads fail with this error code, as a file that is there
  // but cannot be read: every read, or only those of `failingKey` when given.
  int32_t readError = 0;
  std::string failingKey;

  static std::string Key(std::string_view section, std::string_view entry) {
    return std::string(section) + "|" + std::string(entry);
  }

  std::string ReadEntry(std::string_view section, std::string_view entry, std::string_view defaultValue,
                        std::string_view fileName) override {
    reads.push_back(Key(section, entry));
    files.emplace_back(fileName);
    if (readError != 0 && (failingKey.empty() || failingKey == Key(section, entry))) {
      rt::SetError(readError);
      return std::string(defaultValue);
    }
    rt::ClearError();
    auto found = values.find(Key(section, entry));
    return found == values.end() ? std::string(defaultValue) : found->second;
  }

  void WriteEntry(std::string_view section, std::string_view entry, std::string_view value,
                  std::string_view fileName) override {
    writes.push_back(Key(section, entry) + "=" + std::string(value));
    files.emplace_back(fileName);
    values[Key(section, entry)] = std::string(value);
  }
};

}  // namespace settings_test
