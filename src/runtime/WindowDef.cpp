#include "runtime/WindowDef.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

#include "runtime/ErrorState.h"
#include "runtime/Text.h"

namespace rt {
namespace {

using Key = std::pair<std::string, std::string>;

// Definitions are registered at start-up but may be looked up from any
// thread; each lives in its own allocation so that a pointer handed out
// stays valid until its names are registered again.
std::mutex registryLock;
std::map<Key, std::unique_ptr<WindowDef>>& Registry() {
  static std::map<Key, std::unique_ptr<WindowDef>> registry;
  return registry;
}

}  // namespace

const ControlDef* WindowDef::Find(int32_t number) const {
  for (const ControlDef& c : controls)
    if (c.number == number) return &c;
  return nullptr;
}

bool ValidWindowDef(const WindowDef& def) {
  if (def.name.empty()) return false;
  std::set<int32_t> numbers;
  for (const ControlDef& c : def.controls)
    if (c.number < 1 || !numbers.insert(c.number).second) return false;
  return true;
}

bool RegisterWindow(const WindowDef& def) {
  if (!ValidWindowDef(def)) {
    SetError(ErrInvalidDeclaration);
    return false;
  }
  std::lock_guard<std::mutex> hold(registryLock);
  Registry()[{Upper(def.module), Upper(def.name)}] = std::make_unique<WindowDef>(def);
  ClearError();
  return true;
}

const WindowDef* RegisteredWindow(std::string_view module, std::string_view name) {
  std::lock_guard<std::mutex> hold(registryLock);
  auto it = Registry().find({Upper(module), Upper(name)});
  return it == Registry().end() ? nullptr : it->second.get();
}

std::vector<const WindowDef*> RegisteredWindows() {
  std::lock_guard<std::mutex> hold(registryLock);
  std::vector<const WindowDef*> defs;
  for (const auto& [key, def] : Registry()) defs.push_back(def.get());
  return defs;
}

ControlDef MakeControl(int32_t number, std::string name, ControlKind kind, std::string text, int32_t x, int32_t y,
                       int32_t width, int32_t height) {
  ControlDef c;
  c.number = number;
  c.name = std::move(name);
  c.kind = kind;
  c.text = std::move(text);
  c.x = x;
  c.y = y;
  c.width = width;
  c.height = height;
  return c;
}

}  // namespace rt
