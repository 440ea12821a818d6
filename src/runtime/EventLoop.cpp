#include "runtime/EventLoop.h"

#include <vector>

#include "runtime/Backend.h"
#include "runtime/ErrorState.h"
#include "runtime/Events.h"
#include "runtime/PerThread.h"

namespace rt {

std::vector<Window*>& LoopStack();  // Windows.cpp

namespace {

thread_local int32_t keyCode = 0;
struct BindStackTag {};
// The bindings pushed on this thread, innermost last.
std::vector<int32_t>& BindStack() { return PerThread<std::vector<int32_t>, BindStackTag>(); }

// The window whose event is being handled: the innermost loop's, or the
// current window when no loop runs.
Window* EventWindow() {
  std::vector<Window*>& loops = LoopStack();
  if (!loops.empty()) return loops.back();
  return CurrentWindow();
}

}  // namespace

void StartEventLoop() {
  Window* w = CurrentWindow();
  if (!w) {
    SetError(ErrInvalidArgument, "No window is open: the event loop cannot start");
    return;
  }
  LoopStack().push_back(w);
  w->NextEvent();
}

int32_t EndEventLoop(int32_t flag) {
  std::vector<Window*>& loops = LoopStack();
  if (loops.empty()) return 1;
  Window* w = loops.back();
  bool over = w == nullptr || flag == -1;
  if (!over && flag == 0 && w->IsOpen()) {
    int32_t event = w->Current().event;
    if (event == EventCloseRequested || event == EventShutdownRequested) CloseWindow(w);
  }
  if (!over && w->IsOpen() && w->NextEvent()) return 0;
  if (w) w->ClearCurrent();
  // The loop's entry may have moved if a nested loop was left unfinished.
  for (auto it = loops.rbegin(); it != loops.rend(); ++it)
    if (*it == w) {
      loops.erase(std::next(it).base());
      break;
    }
  return 1;
}

int32_t Event() {
  Window* w = EventWindow();
  return w ? w->Current().event : 0;
}

int32_t Field() {
  Window* w = EventWindow();
  return w ? w->Current().control : 0;
}

int32_t Accepted() {
  Window* w = EventWindow();
  return w ? w->Current().accepted : 0;
}

int32_t Focus() {
  Window* w = EventWindow();
  return w ? w->Focus() : 0;
}

int32_t KeyCode() { return keyCode; }
void SetKeyCode(int32_t code) { keyCode = code; }

void Post(int32_t event, int32_t control) {
  if (Window* w = CurrentWindow()) w->Post(event, control);
}

void RegisterEvent(int32_t event, EventCallback fn, void* object) {
  if (Window* w = CurrentWindow()) w->RegisterCallback(event, fn, object);
}

void UnregisterEvent(int32_t event, EventCallback fn, void* object) {
  if (Window* w = CurrentWindow()) w->UnregisterCallback(event, fn, object);
}

void PushBind(int32_t flag) { BindStack().push_back(flag); }

void PopBind() {
  if (!BindStack().empty()) BindStack().pop_back();
}

int32_t BindDepth() { return static_cast<int32_t>(BindStack().size()); }

void Beep(int32_t frequency, int32_t duration) { CurrentBackend().Beep(frequency, duration); }

void SetCursor(const std::string& cursor) { CurrentBackend().SetCursor(cursor); }

void SetCursor() { CurrentBackend().SetCursor({}); }

}  // namespace rt
