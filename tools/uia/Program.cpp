#include "Program.h"

#include <vector>

#include "Automation.h"

namespace uia {

Program::~Program() { Stop(); }

bool Program::Start(const std::string& exe, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe + "\"";
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &info_)) {
    error_ = "cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")";
    info_ = {};
    return false;
  }
  return true;
}

bool Program::Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

long long Program::WaitForExit(int milliseconds) {
  if (!info_.hProcess) return -1;
  // Waiting passes the driver's messages on: the program may broadcast to it.
  if (!WaitUntil([&] { return !Running(); }, milliseconds)) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Program::Stop() {
  if (!info_.hProcess) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
  info_ = {};
}

}  // namespace uia
