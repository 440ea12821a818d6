// The Linux program links the desktop and the terminal backends and installs
// one at start: the desktop where there is a display, else the terminal where
// there is one (a script over SSH, on a console, in a container), else none,
// and the program ends saying what is missing in one sentence.
#include <errno.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "backends/InstallBackend.h"
#include "backends/qt/QtApplication.h"
#include "backends/qt/QtBackend.h"
#include "backends/terminal/TerminalBackend.h"

namespace backend {

void Install(const StartOptions& options) {
  if (options.terminal) return terminal::Install(options);
  const std::string missing = qtbackend::MissingDisplay(options);
  if (missing.empty()) return qtbackend::Install(options);
  if (terminal::Available()) return terminal::Install(options);
  std::fprintf(stderr, "%s: no window can be shown: %s, and no terminal\n", program_invocation_short_name,
               missing.c_str());
  std::fflush(stderr);
  std::_Exit(options.failureStatus);
}

}  // namespace backend
