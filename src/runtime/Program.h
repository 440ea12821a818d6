#pragma once
// Program control: system start over a module table, the version check, the
// program start step, close-down, halt, and today's date and the time.
#include <cstdint>
#include <string>

namespace rt {

// One module's set-up procedure: 0 = start, non-zero = end.
using ModuleProcedure = void (*)(int32_t);

struct ModuleEntry {
  int32_t kind;  // always 5
  ModuleProcedure start;
  ModuleProcedure end;
};

// What the entry point hands to SystemInit. Only the module table matters to
// the program's behaviour; the other ranges are kept for the record.
struct StartupDescriptor {
  const ModuleEntry* modulesBegin;
  const ModuleEntry* modulesEnd;
  void* globalsBegin;
  void* globalsEnd;
};

// Runs the start half of every module, in table order.
void SystemInit(const StartupDescriptor* descriptor, int32_t flags);
// Non-zero when this runtime serves a program built for the given version:
// the same major version, and a minor version no newer than the runtime's.
int32_t CheckVersion(int32_t major, int32_t minor, int32_t flags);
// Starts the runtime library (called by the first module's start half).
void Init();
// The program's body begins.
void BeginProgram();
// Runs the end half of every module, each once, in reverse table order.
void CloseDown();

// Ends the program with an exit level; `text` says why. While a halt
// handler is set (SetHaltHandler, below) Halt calls it instead.
[[noreturn]] void Halt(int32_t level, const std::string& text);
// Run by Halt before the process ends (or before the handler is called), so
// that what the program changed on the desktop is put back.
using HaltCleanup = void (*)();
void SetHaltCleanup(HaltCleanup cleanup);
// Ends the process with the exit code, output flushed, nothing else run.
[[noreturn]] void Exit(int32_t code);

// Today as a day number (days since 1800-12-28, so that day 4 is 1801-01-01)
// and the time of day in hundredths of a second since midnight plus one.
int32_t Today();
int32_t Clock();
// Date and time pictures: "D17" gives the date as YYYY-MM-DD, "T8" gives the
// time as HH:MM:SS (ISO 8601 forms). Other pictures give the number.
std::string Format(int32_t value, const std::string& picture);

// For tests:
// Intercepts Halt: while a handler is set, Halt calls it instead of ending
// the process, and the handler must not return (it throws or jumps away).
// Gives the handler set before.
using HaltHandler = void (*)(int32_t level, const std::string& text);
HaltHandler SetHaltHandler(HaltHandler handler);
// Sets the version this runtime reports (5.507), so that a test can lower it
// and see a program refused.
void SetRuntimeVersion(int32_t major, int32_t minor);

}  // namespace rt
