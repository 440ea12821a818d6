// The Linux program has the terminal backend built in and the desktop (Qt)
// backend as a module, and installs one at start: the desktop where there is
// a display, else the terminal where there is one (a script over SSH, on a
// console, in a container), else none, and the program ends saying what is
// missing in one sentence. The module is loaded only when a display answers,
// so that a box in the terminal starts without mapping Qt's libraries.
#include <dlfcn.h>
#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "backends/InstallBackend.h"
#include "backends/linux/DisplayProbe.h"
#include "backends/qt/Module.h"
#include "backends/terminal/TerminalBackend.h"

namespace backend {
namespace {

const char* Value(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : nullptr;
}

std::string DisplayOf(const StartOptions& options) {
  return !options.display.empty() ? options.display : Value("DISPLAY") ? Value("DISPLAY") : "";
}

// The folder the program's file lies in (symbolic links followed).
std::string ProgramFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string file(path, static_cast<size_t>(n));
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
}

struct Desktop {
  const qtbackend::ModuleEntries* entries = nullptr;
  std::string failure;  // why the module could not be loaded
};

// The desktop backend's module: beside the program (the build tree), else
// in QUIBRA_QT_MODULE_DIR from the program's folder (installed: bin/ and
// lib/<architecture>/quibra/ under one prefix, wherever that prefix is;
// src/app/CMakeLists.txt says where).
Desktop LoadDesktop() {
  const std::string folder = ProgramFolder();
  const std::string installed = folder + "/" QUIBRA_QT_MODULE_DIR;
  for (const std::string& dir : {folder, installed}) {
    const std::string path = dir + "/" QUIBRA_QT_MODULE_FILE;
    if (access(path.c_str(), F_OK) != 0) continue;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return {nullptr, "the desktop backend cannot be loaded: " + std::string(dlerror())};
    auto entries = reinterpret_cast<decltype(&quibra_qt_module_entries)>(dlsym(module, QUIBRA_QT_MODULE_ENTRIES));
    if (!entries) return {nullptr, path + " is not this program's desktop backend"};
    return {entries(), {}};
  }
  return {nullptr, "the desktop backend " QUIBRA_QT_MODULE_FILE " is not installed (not beside the program, nor in " +
                       installed + ")"};
}

// What keeps the desktop from drawing, in one sentence; empty where a
// display answers. The display is asked before the module is loaded: a stale
// DISPLAY (an SSH session's) leaves the box to the terminal without Qt. A
// platform chosen by name (QT_QPA_PLATFORM) is Qt's to try.
std::string MissingDisplay(const StartOptions& options, Desktop& desktop) {
  const std::string display = DisplayOf(options);
  const char* wayland = Value("WAYLAND_DISPLAY");
  if (!Value("QT_QPA_PLATFORM") && (wayland || !display.empty())) {
    const char* runtimeDir = Value("XDG_RUNTIME_DIR");
    const bool answers = (wayland && WaylandDisplayAnswers(wayland, runtimeDir ? runtimeDir : "")) ||
                         (!display.empty() && XDisplayAnswers(display));
    if (!answers)
      return display.empty() ? "the Wayland display \"" + std::string(wayland) + "\" does not answer"
                             : "the display \"" + display + "\" cannot be opened";
  }
  desktop = LoadDesktop();
  return desktop.entries ? desktop.entries->missingDisplay(options) : desktop.failure;
}

}  // namespace

void Install(const StartOptions& options) {
  if (options.terminal) return terminal::Install(options);
  // Nothing names a display: the terminal, where there is one, and Qt stays
  // unloaded. Otherwise Qt has the last word on what it can draw on.
  const bool named = Value("QT_QPA_PLATFORM") || Value("WAYLAND_DISPLAY") || !DisplayOf(options).empty();
  if (!named && terminal::Available()) return terminal::Install(options);
  Desktop desktop;
  const std::string missing = MissingDisplay(options, desktop);
  if (missing.empty()) return desktop.entries->install(options);
  if (terminal::Available()) {
    // A display is there but the program cannot use it: that is worth a line.
    if (!desktop.failure.empty()) {
      std::fprintf(stderr, "%s: %s; the box is drawn in the terminal\n", program_invocation_short_name,
                   desktop.failure.c_str());
      std::fflush(stderr);
    }
    return terminal::Install(options);
  }
  std::fprintf(stderr, "%s: no window can be shown: %s, and no terminal\n", program_invocation_short_name,
               missing.c_str());
  std::fflush(stderr);
  std::_Exit(options.failureStatus);
}

}  // namespace backend
