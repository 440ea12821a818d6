// The entry point: the linked backend draws the windows. Without arguments
// the program is the composer and ends with exit code 0; with arguments it
// shows the one box they describe and its exit status tells the answer (see
// app/ExitStatus.h).
#include <iostream>
#include <string>
#include <vector>

#include "app/ProgramBody.h"
#include "app/RunCommandLine.h"
#include "backends/InstallBackend.h"
#include "composer/CommandLine.h"
#include "composer/ExitStatus.h"
#include "platform/Console.h"
#include "runtime/Program.h"

int main(int argc, char** argv) {
  // Where no window can be shown at all, a script tells that from every answer.
  const int32_t noBox = quibra::ExitStatusOf(0, quibra::ExitScheme::Native);
  if (argc <= 1) {
    backend::Install({.failureStatus = noBox});
    rt::Exit(quibra::RunProgram());
  }
  // Before anything is written: on Windows the program has no console of
  // its own.
  os::AttachParentConsole();
  const std::string program = quibra::ProgramName(argv[0] ? argv[0] : "");
  const quibra::ParsedCommandLine parsed = quibra::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Ok()) {
    std::cerr << program << ": " << parsed.error << '\n';
    rt::Exit(parsed.status);
  }
  switch (parsed.line.action) {
    case quibra::CommandAction::Help:
      std::cout << quibra::UsageText(program);
      rt::Exit(0);
    case quibra::CommandAction::Version:
      std::cout << quibra::VersionText(program);
      rt::Exit(0);
    case quibra::CommandAction::Composer:
      backend::Install({.failureStatus = noBox, .terminal = true});
      rt::Exit(quibra::RunProgram());
    case quibra::CommandAction::ShowBox:
      break;
  }
  if (!parsed.warning.empty()) std::cerr << program << ": " << parsed.warning << '\n';
  backend::Install({.display = parsed.line.display, .failureStatus = noBox, .terminal = parsed.line.terminal});
  rt::Exit(quibra::RunCommandLine(parsed.line, program, std::cin, std::cout, std::cerr));
}
