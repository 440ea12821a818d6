#pragma once
// An environment variable set for one test, and put back as it was when the
// test ends.
#include <cstdlib>
#include <optional>
#include <string>

namespace quibra_test {

class ScopedVariable {
 public:
  // A null `value` unsets the variable.
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) before_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(before_ ? before_->c_str() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_.c_str(), value ? value : "");
#else
    if (value)
      setenv(name_.c_str(), value, 1);
    else
      unsetenv(name_.c_str());
#endif
  }

  std::string name_;
  std::optional<std::string> before_;
};

}  // namespace quibra_test
