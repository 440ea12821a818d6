#pragma once
// A child process that runs one function of this program: for checks that
// need a second process, such as a file's sharing seen from another program
// or a writer killed at a random moment.
//
// On POSIX systems the child is a fork that calls the function. On Windows
// the child is this program started again; it learns its role from its
// environment, so every function that may run in a child must be made known
// with Serve during static initialisation, where the child runs it and ends
// before main() would start.
#include <cstdint>
#include <string>

namespace quibra_test {

class ChildProcess {
 public:
  // The function a child runs; its result is the child's exit code.
  using Body = int (*)(const std::string& argument);

  // In a child started for `role` (Windows only) runs the body and ends the
  // process with its result; otherwise returns false at once.
  static bool Serve(const char* role, Body body);
  // Starts a child that runs `body` with `argument`. Check Started().
  static ChildProcess Start(const char* role, Body body, const std::string& argument);

  ChildProcess() = default;
  // A child still running is killed, so that no test leaves one behind.
  ~ChildProcess();
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return handle_ != kNone; }
  // The system's number of the child, 0 when none was started.
  int64_t Id() const;
  // Ends the child at once. True when it was still running until then.
  bool Kill();
  // Waits for the child to end: its exit code, or -1 when it was killed.
  int Wait();

 private:
  // Kills a child still running, reaps it and lets go of its handle.
  void Finish();

  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
  bool reaped_ = false;
  bool killed_ = false;
  int exitCode_ = 0;
};

}  // namespace quibra_test
