// Child processes on Windows: this program started again, told its role and
// argument through its environment.
#include <windows.h>

#include <string>

#include "support/ChildProcess.h"

namespace quibra_test {
namespace {

constexpr const char* kRoleVariable = "QUIBRA_CHILD_ROLE";
constexpr const char* kArgumentVariable = "QUIBRA_CHILD_ARGUMENT";
constexpr UINT kKilledCode = 0xDEAD;

std::string Variable(const char* name) {
  DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
  if (n == 0) return {};
  std::string value(n, '\0');
  n = GetEnvironmentVariableA(name, value.data(), n);
  value.resize(n);
  return value;
}

}  // namespace

bool ChildProcess::Serve(const char* role, Body body) {
  if (Variable(kRoleVariable) != role) return false;
  std::string argument = Variable(kArgumentVariable);
  // The child's own children are told their roles afresh.
  SetEnvironmentVariableA(kRoleVariable, nullptr);
  SetEnvironmentVariableA(kArgumentVariable, nullptr);
  ExitProcess(static_cast<UINT>(body(argument)));
}

ChildProcess ChildProcess::Start(const char* role, Body, const std::string& argument) {
  ChildProcess child;
  char exe[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return child;
  std::string commandLine = "\"";
  commandLine += exe;
  commandLine += '"';
  SetEnvironmentVariableA(kRoleVariable, role);
  SetEnvironmentVariableA(kArgumentVariable, argument.c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  BOOL ok = CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  SetEnvironmentVariableA(kRoleVariable, nullptr);
  SetEnvironmentVariableA(kArgumentVariable, nullptr);
  if (!ok) return child;
  CloseHandle(info.hThread);
  child.handle_ = reinterpret_cast<intptr_t>(info.hProcess);
  return child;
}

ChildProcess::~ChildProcess() { Finish(); }

int64_t ChildProcess::Id() const {
  return Started() ? static_cast<int64_t>(GetProcessId(reinterpret_cast<HANDLE>(handle_))) : 0;
}

void ChildProcess::Finish() {
  if (!Started()) return;
  if (!reaped_) {
    Kill();
    Wait();
  }
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNone;
}

bool ChildProcess::Kill() {
  if (!Started() || reaped_) return false;
  HANDLE h = reinterpret_cast<HANDLE>(handle_);
  if (WaitForSingleObject(h, 0) != WAIT_TIMEOUT) return false;
  if (!TerminateProcess(h, kKilledCode)) return false;
  killed_ = true;
  return true;
}

int ChildProcess::Wait() {
  if (!Started()) return -1;
  if (!reaped_) {
    HANDLE h = reinterpret_cast<HANDLE>(handle_);
    WaitForSingleObject(h, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(h, &code);
    reaped_ = true;
    exitCode_ = killed_ && code == kKilledCode ? -1 : static_cast<int>(code);
  }
  return exitCode_;
}

}  // namespace quibra_test
