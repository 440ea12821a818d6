// The parent's console for a GUI-subsystem program started from a console
// window, so that its messages, --help and the pressed button reach it.
#include <windows.h>

#include <cstdio>

#include "platform/Console.h"

namespace os {
namespace {

// A standard handle that leads somewhere: a file, a pipe or a console that
// the program was given when it started.
bool Redirected(DWORD which) {
  HANDLE h = GetStdHandle(which);
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void AttachParentConsole() {
  const bool input = Redirected(STD_INPUT_HANDLE);
  const bool output = Redirected(STD_OUTPUT_HANDLE);
  const bool error = Redirected(STD_ERROR_HANDLE);
  if (input && output && error) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  // The C streams were set up at start, without a console; reopening them on
  // the console's devices also carries std::cin, std::cout and std::cerr,
  // which write through them.
  if (!input) std::freopen("CONIN$", "r", stdin);
  if (!output) std::freopen("CONOUT$", "w", stdout);
  if (!error) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace os
