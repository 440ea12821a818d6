#include "runtime/Program.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace rt {
namespace {

std::vector<ModuleEntry> modules;  // the table SystemInit ran, for CloseDown
bool closedDown = false;
HaltHandler haltHandler = nullptr;
HaltCleanup haltCleanup = nullptr;
int32_t runtimeMajor = 5;
int32_t runtimeMinor = 507;

// Day 0 of the runtime's day numbers (proleptic Gregorian calendar).
constexpr std::chrono::sys_days kDayZero{std::chrono::year{1800} / std::chrono::December / 28};

std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

}  // namespace

void SystemInit(const StartupDescriptor* descriptor, int32_t) {
  modules.assign(descriptor->modulesBegin, descriptor->modulesEnd);
  closedDown = false;
  for (const ModuleEntry& m : modules)
    if (m.start) m.start(0);
}

int32_t CheckVersion(int32_t major, int32_t minor, int32_t) {
  return major == runtimeMajor && minor <= runtimeMinor ? 1 : 0;
}

void SetRuntimeVersion(int32_t major, int32_t minor) {
  runtimeMajor = major;
  runtimeMinor = minor;
}

void Exit(int32_t code) {
  std::fflush(nullptr);
  std::_Exit(code);
}

void Init() {}
void BeginProgram() {}

void CloseDown() {
  if (closedDown) return;
  closedDown = true;
  for (auto it = modules.rbegin(); it != modules.rend(); ++it)
    if (it->end) it->end(1);
  modules.clear();
}

HaltHandler SetHaltHandler(HaltHandler handler) {
  HaltHandler old = haltHandler;
  haltHandler = handler;
  return old;
}

void SetHaltCleanup(HaltCleanup cleanup) { haltCleanup = cleanup; }

void Halt(int32_t level, const std::string& text) {
  if (HaltCleanup cleanup = haltCleanup) {
    haltCleanup = nullptr;  // once, even if the cleanup itself halts
    cleanup();
  }
  if (haltHandler) {
    haltHandler(level, text);
    std::abort();  // a handler must not return
  }
  Exit(level);
}

int32_t Today() {
  std::tm local = LocalNow();
  // The local date, counted without the time zone.
  const std::chrono::year_month_day date{std::chrono::year{local.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  return static_cast<int32_t>((std::chrono::sys_days{date} - kDayZero).count());
}

int32_t Clock() {
  std::tm local = LocalNow();
  return (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 100 + 1;
}

std::string Format(int32_t value, const std::string& picture) {
  char out[32];
  if (picture == "D17") {
    const std::chrono::year_month_day date{kDayZero + std::chrono::days{value}};
    std::snprintf(out, sizeof out, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    return out;
  }
  if (picture == "T8") {
    int32_t seconds = value > 0 ? (value - 1) / 100 : 0;
    std::snprintf(out, sizeof out, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return out;
  }
  return std::to_string(value);
}

}  // namespace rt
