// The Linux program links the desktop and the terminal backends and installs
// one at start: the desktop where there is a display, else the terminal where
// there is one (a script over SSH, on a console, in a container), else none,
// and the program ends saying what is missing in one sentence.
#include <errno.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "backends/InstallBackend.h"
#include "backends/linux/DisplayProbe.h"
#include "backends/qt/QtApplication.h"
#include "backends/qt/QtBackend.h"
#include "backends/terminal/TerminalBackend.h"

namespace backend {
namespace {

const char* Value(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : nullptr;
}

// What keeps the desktop from drawing, in one sentence; empty where a
// display answers. A platform chosen by name (QT_QPA_PLATFORM) is Qt's to try.
std::string MissingDisplay(const StartOptions& options) {
  std::string missing = qtbackend::MissingDisplay(options);
  if (!missing.empty() || Value("QT_QPA_PLATFORM")) return missing;
  const std::string display = !options.display.empty() ? options.display : Value("DISPLAY") ? Value("DISPLAY") : "";
  const char* wayland = Value("WAYLAND_DISPLAY");
  const char* runtimeDir = Value("XDG_RUNTIME_DIR");
  if (wayland && WaylandDisplayAnswers(wayland, runtimeDir ? runtimeDir : "")) return {};
  if (!display.empty() && XDisplayAnswers(display)) return {};
  return display.empty() ? "the Wayland display \"" + std::string(wayland ? wayland : "") + "\" does not answer"
                         : "the display \"" + display + "\" cannot be opened";
}

}  // namespace

void Install(const StartOptions& options) {
  if (options.terminal) return terminal::Install(options);
  const std::string missing = MissingDisplay(options);
  if (missing.empty()) return qtbackend::Install(options);
  if (terminal::Available()) return terminal::Install(options);
  std::fprintf(stderr, "%s: no window can be shown: %s, and no terminal\n", program_invocation_short_name,
               missing.c_str());
  std::fflush(stderr);
  std::_Exit(options.failureStatus);
}

}  // namespace backend
