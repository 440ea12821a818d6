#pragma once
// The program under test, started and ended by the driver.
#include <windows.h>

#include <string>

namespace uia {

class Program {
 public:
  Program() = default;
  ~Program();  // a program still running when the driver ends is stopped
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the program in the given folder; false (with Error()) when it cannot.
  bool Start(const std::string& exe, const std::string& folder);
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits for the program to end; its exit code, or -1 when it did not end in time.
  long long WaitForExit(int milliseconds);
  void Stop();
  std::string Error() const { return error_; }

 private:
  PROCESS_INFORMATION info_{};
  std::string error_;
};

}  // namespace uia
