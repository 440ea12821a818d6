#include "runtime/FileDriver.h"

#include <mutex>
#include <utility>
#include <vector>

#include "runtime/AsciiDriver.h"
#include "runtime/ErrorState.h"
#include "runtime/Text.h"

namespace rt {
namespace {

struct Registry {
  std::mutex lock;
  std::vector<std::pair<std::string, FileDriver::Factory>> drivers{{"ASCII", &AsciiDriver::Make}};
};

Registry& Drivers() {
  static Registry registry;
  return registry;
}

}  // namespace

std::unique_ptr<FileDriver> FileDriver::Make(std::string_view name, File& file) {
  std::string wanted = Upper(Clip(name));
  Registry& r = Drivers();
  FileDriver::Factory factory = nullptr;
  {
    std::lock_guard<std::mutex> hold(r.lock);
    for (auto it = r.drivers.rbegin(); it != r.drivers.rend() && !factory; ++it)
      if (it->first == wanted) factory = it->second;
  }
  return factory ? factory(file) : nullptr;
}

void FileDriver::Register(std::string_view name, Factory factory) {
  Registry& r = Drivers();
  std::lock_guard<std::mutex> hold(r.lock);
  r.drivers.emplace_back(Upper(Clip(name)), factory);
}

std::string FileDriver::MissingText(std::string_view name) {
  const std::string wanted = Upper(Clip(name));
  if (wanted == SqliteDriverName) {
#ifdef QUIBRA_NO_SQLITE
    return "Invalid Record Declaration: this build of the program has no SQLITE file driver, since it was built "
           "without SQLite; SQLITE files can only be used by a build that has it";
#else
    return "Invalid Record Declaration: the SQLITE file driver was not registered by this program "
           "(rt::RegisterSqliteDriver)";
#endif
  }
  return "Invalid Record Declaration: no file driver is named \"" + std::string(name) + "\"";
}

bool FileDriver::NotSupported() {
  SetError(ErrNotSupported);
  return false;
}

bool FileDriver::BuildKeys() { return NotSupported(); }
bool FileDriver::Put() { return NotSupported(); }
bool FileDriver::Delete() { return NotSupported(); }
bool FileDriver::Get(int32_t) { return NotSupported(); }

std::string FileDriver::Position(int32_t) {
  NotSupported();
  return {};
}

bool FileDriver::Reget(int32_t, std::string_view) { return NotSupported(); }

std::string FileDriver::Send(std::string_view) {
  NotSupported();
  return {};
}

int32_t FileDriver::GetState() {
  NotSupported();
  return 0;
}

bool FileDriver::RestoreState(int32_t) { return NotSupported(); }
void FileDriver::FreeState(int32_t) { NotSupported(); }

std::string FileDriver::GetNulls() {
  NotSupported();
  return {};
}

bool FileDriver::SetNulls(std::string_view) { return NotSupported(); }

std::string FileDriver::GetProperty(int32_t, int32_t) {
  NotSupported();
  return {};
}

bool FileDriver::SetProperty(int32_t, std::string_view, int32_t) { return NotSupported(); }

}  // namespace rt
