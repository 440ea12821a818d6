#include "platform/ProgramArguments.h"

namespace os {
namespace {

bool Blank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine) {
  std::size_t at = 0;
  bool quoted = false;
  for (; at < commandLine.size(); ++at) {
    const wchar_t c = commandLine[at];
    if (c == L'"')
      quoted = !quoted;
    else if (!quoted && Blank(c))
      break;
  }
  while (at < commandLine.size() && Blank(commandLine[at])) ++at;
  return commandLine.substr(at);
}

std::wstring SiblingProgram(std::wstring_view programPath, std::wstring_view extension) {
  const std::size_t nameStart = programPath.find_last_of(L"\\/:");
  const std::size_t dot = programPath.rfind(L'.');
  const bool hasExtension = dot != std::wstring_view::npos && (nameStart == std::wstring_view::npos || dot > nameStart);
  std::wstring sibling(hasExtension ? programPath.substr(0, dot) : programPath);
  sibling += extension;
  return sibling;
}

std::wstring CommandLineFor(std::wstring_view path, std::wstring_view arguments) {
  std::wstring line = L"\"";
  line += path;
  line += L'"';
  if (!arguments.empty()) {
    line += L' ';
    line += arguments;
  }
  return line;
}

}  // namespace os
