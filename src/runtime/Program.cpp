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

// Days from 1800-12-28 to 1970-01-01.
constexpr int32_t kUnixEpochDay = 61730;

// Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(int64_t z, int& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int>(yy + (m <= 2));
}

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
  // Days since 1970 of the local date, computed without the time zone.
  int y = local.tm_year + 1900;
  unsigned m = static_cast<unsigned>(local.tm_mon + 1), d = static_cast<unsigned>(local.tm_mday);
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<int32_t>(era * 146097 + static_cast<int>(doe) - 719468) + kUnixEpochDay;
}

int32_t Clock() {
  std::tm local = LocalNow();
  return (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 100 + 1;
}

std::string Format(int32_t value, const std::string& picture) {
  char out[32];
  if (picture == "D17") {
    int y;
    unsigned m, d;
    CivilFromDays(static_cast<int64_t>(value) - kUnixEpochDay, y, m, d);
    std::snprintf(out, sizeof out, "%04d-%02u-%02u", y, m, d);
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
