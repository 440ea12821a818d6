// QuibraD.com: the console program beside QuibraD.exe. The program itself is
// built for the desktop (the GUI subsystem), so a console prompt does not
// wait for it and never sees its exit status. A console program is waited
// for, and a prompt that is given the name alone finds the .com before the
// .exe: this one starts the program of the same name beside it with the same
// arguments, lets it use the same standard input, output and error, waits
// for it and ends with its exit status.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/ProgramArguments.h"

namespace {

// The program's own status for "the box could not be shown".
constexpr DWORD kNotStarted = 69;

std::wstring ThisProgram() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return L"";
    if (got < path.size()) {
      path.resize(got);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring_view FileName(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length != 0 ? std::wstring(text, length) : L"error " + std::to_wstring(error);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
    message.pop_back();
  return message;
}

// One line on standard error: through the console's own call when it is a
// console (any character shows), as UTF-8 otherwise (a file or a pipe).
void SayOnStandardError(const std::wstring& line) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
  const std::wstring text = line + L"\r\n";
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(error, &mode)) {
    WriteConsoleW(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
  WriteFile(error, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// Ctrl+C and Ctrl+Break are the box's business: the program keeps waiting
// for its answer. A handler of its own, unlike ignoring the keys outright,
// is not handed on to the program it starts.
BOOL WINAPI KeepWaiting(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

}  // namespace

int main() {
  const std::wstring self = ThisProgram();
  const std::wstring program = os::SiblingProgram(self, L".exe");
  std::wstring commandLine = os::CommandLineFor(program, os::ArgumentsAfterProgramName(GetCommandLineW()));

  SetConsoleCtrlHandler(KeepWaiting, TRUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  if (self.empty() || !CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &started)) {
    const DWORD error = GetLastError();
    std::wstring name(FileName(self.empty() ? std::wstring_view(L"QuibraD.com") : std::wstring_view(self)));
    SayOnStandardError(os::SiblingProgram(name, L"") + L": " + program + L" could not be started: " +
                       SystemMessage(error));
    return static_cast<int>(kNotStarted);
  }
  CloseHandle(started.hThread);
  WaitForSingleObject(started.hProcess, INFINITE);
  DWORD status = kNotStarted;
  GetExitCodeProcess(started.hProcess, &status);
  CloseHandle(started.hProcess);
  return static_cast<int>(status);
}
