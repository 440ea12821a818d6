#pragma once
// The driver's record of what it checked: each check prints one line, and a
// failed one makes the run fail.
#include <string>

namespace uia {

class Report {
 public:
  // Notes a check; returns `ok` so that a step can stop when it failed.
  bool Check(bool ok, const std::string& what);
  bool Equal(const std::string& actual, const std::string& expected, const std::string& what);
  bool Equal(long long actual, long long expected, const std::string& what);
  void Note(const std::string& text);
  int Failures() const { return failures_; }
  int Checks() const { return checks_; }

 private:
  int failures_ = 0;
  int checks_ = 0;
};

// Shows control characters, so that "\r\n" reads as such in a message.
std::string Visible(const std::string& text);

}  // namespace uia
