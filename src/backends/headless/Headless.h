#pragma once
// The headless backend: deterministic and scriptable. A scripted user
// (UserScript.h) answers windows and message boxes; every message box and
// every platform call is recorded (Records.h). It also implements the Win32
// calls of platform/Win32Api.h for the headless build, on every OS.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "backends/headless/Records.h"
#include "backends/headless/UserScript.h"

namespace rt {
class Window;
}

namespace headless {

// Makes the headless backend the runtime's backend.
void Install();

// Forgets the script, the records and the switches below, releases every
// window and clears the runtime's system properties (the message hook).
void Reset();

// Resets on construction and again on destruction.
class ScriptScope {
 public:
  ScriptScope() { Reset(); }
  ~ScriptScope() { Reset(); }
  ScriptScope(const ScriptScope&) = delete;
  ScriptScope& operator=(const ScriptScope&) = delete;
};

// Thrown when the script and the program disagree (see UserScript.h).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Called with the message when the script fails. The default throws
// ScriptError; a handler that returns is followed by that throw as well, so
// that a failing script never lets the program wait.
using FailureHandler = void (*)(const std::string& message);
FailureHandler SetFailureHandler(FailureHandler handler);

// Records, oldest first.
std::vector<BoxRecord> Boxes();
std::vector<PlatformCall> PlatformCalls();
std::vector<BeepRecord> Beeps();
std::vector<std::string> Cursors();  // the cursor bytes set; empty = normal
std::string Clipboard();             // what the program last put on the clipboard

// The simulated full-window-drag setting (off after Reset).
void SetFullWindowDrag(bool on);
// Makes the setting report a value other than 0 or 1, as a damaged profile can.
void SetFullWindowDragValue(int32_t value);
bool FullWindowDrag();
// Makes SystemParametersInfoA fail (return 0, change nothing) while on.
void FailSystemParameters(bool on);

// Makes HeapAlloc fail `count` times after letting `after` more succeed.
void FailAllocations(int count, int after = 0);
// Blocks taken from the simulated process heap and not freed.
int LiveHeapBlocks();

// The rows a list control shows, from its row callback, as a user sees them.
std::vector<std::vector<std::string>> ListRows(const rt::Window& window, int32_t control);

}  // namespace headless
