#pragma once
// Builds stored error tables for the tests. The bytes live as long as the
// object, which must outlive the manager that loads them.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace error_test {

class TableBytes {
 public:
  // Adds one table of one entry and returns its bytes.
  const std::vector<uint8_t>& One(uint16_t id, uint8_t level, const std::string& title, const std::string& message) {
    std::vector<uint8_t>& t = tables_.emplace_back();
    t = {1,
         0,
         static_cast<uint8_t>(id & 0xFF),
         static_cast<uint8_t>(id >> 8),
         level,
         static_cast<uint8_t>(title.size())};
    t.insert(t.end(), title.begin(), title.end());
    t.push_back(static_cast<uint8_t>(message.size()));
    t.insert(t.end(), message.begin(), message.end());
    return t;
  }

 private:
  std::deque<std::vector<uint8_t>> tables_;  // a deque never moves what it holds
};

}  // namespace error_test
