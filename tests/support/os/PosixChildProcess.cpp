// Child processes on POSIX systems: a fork that runs the function.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/ChildProcess.h"

namespace quibra_test {

bool ChildProcess::Serve(const char*, Body) { return false; }

ChildProcess ChildProcess::Start(const char*, Body body, const std::string& argument) {
  ChildProcess child;
  pid_t pid = ::fork();
  if (pid == 0) {
    // The child leaves without running the parent's exit handlers or
    // flushing its buffers, which belong to the parent.
    ::_exit(body(argument));
  }
  if (pid > 0) child.handle_ = pid;
  return child;
}

ChildProcess::~ChildProcess() { Finish(); }

int64_t ChildProcess::Id() const { return Started() ? static_cast<int64_t>(handle_) : 0; }

void ChildProcess::Finish() {
  if (Started() && !reaped_) {
    Kill();
    Wait();
  }
  handle_ = kNone;
}

bool ChildProcess::Kill() {
  if (!Started() || reaped_) return false;
  pid_t pid = static_cast<pid_t>(handle_);
  int status = 0;
  // A child that has already ended is reaped here rather than killed.
  pid_t ended = ::waitpid(pid, &status, WNOHANG);
  if (ended == pid) {
    reaped_ = true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
  }
  if (::kill(pid, SIGKILL) != 0) return false;
  killed_ = true;
  return true;
}

int ChildProcess::Wait() {
  if (!Started()) return -1;
  if (!reaped_) {
    int status = 0;
    pid_t pid = static_cast<pid_t>(handle_);
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return exitCode_;
}

}  // namespace quibra_test
