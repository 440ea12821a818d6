// The prepared windows of the process and the windows open on each thread.
#include <algorithm>
#include <memory>
#include <mutex>

#include "runtime/Backend.h"
#include "runtime/ErrorState.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/PerThread.h"
#include "runtime/Window.h"

namespace rt {
namespace {

std::mutex preparedLock;
std::vector<std::unique_ptr<Window>>& Prepared() {
  static std::vector<std::unique_ptr<Window>> prepared;
  return prepared;
}

// The windows open on this thread, the current one last, and the windows
// whose loops run on it, the innermost last. A released window's loop entry
// becomes null, so that its loop ends instead of reading freed memory.
struct OpenStackTag {};
struct LoopStackTag {};
std::vector<Window*>& OpenStack() { return PerThread<std::vector<Window*>, OpenStackTag>(); }

bool Focusable(ControlKind kind) {
  return kind == ControlKind::Entry || kind == ControlKind::Spin || kind == ControlKind::CheckBox ||
         kind == ControlKind::Radio || kind == ControlKind::Button || kind == ControlKind::List;
}

}  // namespace

bool IsPrepared(const Window* window) {
  if (!window) return false;
  std::lock_guard<std::mutex> hold(preparedLock);
  for (const auto& w : Prepared())
    if (w.get() == window) return true;
  return false;
}

int32_t PreparedWindowCount() {
  std::lock_guard<std::mutex> hold(preparedLock);
  return static_cast<int32_t>(Prepared().size());
}

std::vector<Window*>& LoopStack() { return PerThread<std::vector<Window*>, LoopStackTag>(); }

Window* PrepareWindow(const WindowDef& def, std::vector<Binding> bindings) {
  if (!ValidWindowDef(def)) {
    SetError(ErrInvalidDeclaration);
    return nullptr;
  }
  std::size_t dataControls = 0;
  for (const ControlDef& c : def.controls) dataControls += IsDataKind(c.kind);
  if (bindings.size() > dataControls) {
    SetError(ErrInvalidArgument, "Window '" + def.name + "' has " + std::to_string(dataControls) +
                                     " data controls but " + std::to_string(bindings.size()) + " variables were bound");
    return nullptr;
  }
  auto window = std::make_unique<Window>(def, std::move(bindings));
  Window* w = window.get();
  std::lock_guard<std::mutex> hold(preparedLock);
  Prepared().push_back(std::move(window));
  ClearError();
  return w;
}

Window* PrepareWindow(std::string_view module, std::string_view name, std::vector<Binding> bindings) {
  const WindowDef* def = RegisteredWindow(module, name);
  if (!def) {
    SetError(ErrEntryNotFound,
             "Window '" + std::string(name) + "' of module '" + std::string(module) + "' is not registered");
    return nullptr;
  }
  return PrepareWindow(*def, std::move(bindings));
}

void OpenWindow(Window* window, int32_t focus) {
  // Checked before the window is touched: a released window's pointer is stale.
  if (!IsPrepared(window) || window->IsOpen()) return;
  // The controls take their values before the native window exists, so that
  // the backend draws the window whole and hears of no change before it.
  window->Display(0);
  // The focus goes to the control asked for where it can take it, else to
  // the first that can.
  int32_t target = 0;
  for (const ControlDef& c : window->Def().controls) {
    if (!Focusable(c.kind) || window->IsHidden(c.number)) continue;
    if (target == 0) target = c.number;
    if (c.number == focus) target = focus;
    if (focus == 0 || c.number == focus) break;
  }
  if (target) window->MoveFocus(target);
  window->MarkOpen(true);
  OpenStack().push_back(window);
  CurrentBackend().CreateNativeWindow(*window);
  window->Post(EventWindowOpened);
}

void CloseWindow(Window* window) {
  if (!IsPrepared(window) || !window->IsOpen()) return;
  CurrentBackend().DestroyNativeWindow(*window);
  window->MarkOpen(false);
  std::erase(OpenStack(), window);
}

void ReleaseWindow(Window* window) {
  if (!IsPrepared(window)) return;
  CloseWindow(window);
  std::replace(LoopStack().begin(), LoopStack().end(), window, static_cast<Window*>(nullptr));
  std::lock_guard<std::mutex> hold(preparedLock);
  std::erase_if(Prepared(), [window](const std::unique_ptr<Window>& w) { return w.get() == window; });
}

Window* CurrentWindow() { return OpenStack().empty() ? nullptr : OpenStack().back(); }

Window* LoopWindow() { return LoopStack().empty() ? nullptr : LoopStack().back(); }

void ResetWindowing() {
  std::vector<Window*> all;
  {
    std::lock_guard<std::mutex> hold(preparedLock);
    for (const auto& w : Prepared()) all.push_back(w.get());
  }
  for (Window* w : all) ReleaseWindow(w);
  OpenStack().clear();
  LoopStack().clear();
  while (BindDepth() > 0) PopBind();
  SetKeyCode(0);
}

void Display(int32_t control) {
  if (Window* w = CurrentWindow()) w->Display(control);
}

void Update(int32_t control) {
  if (Window* w = CurrentWindow()) w->Update(control);
}

void Select(int32_t control) {
  if (Window* w = CurrentWindow()) w->Select(control);
}

}  // namespace rt
