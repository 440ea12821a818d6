#include "framework/window/ResizeHandler.h"

#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/Window.h"

namespace quibra {

ResizeHandler::~ResizeHandler() {
  delete PLACEMENTS;
  delete STRATEGIES;
}

void ResizeHandler::Init() {
  delete PLACEMENTS;
  delete STRATEGIES;
  PLACEMENTS = new rt::Queue<ResizePlacement>;
  STRATEGIES = new rt::Queue<ResizeStrategy>;
  WINDOW = rt::CurrentWindow();
  rt::RegisterEvent(rt::EventWindowResized, &ResizeCallback, this);
}

void ResizeHandler::Reset() {
  if (PLACEMENTS) PLACEMENTS->Free();
  if (STRATEGIES) STRATEGIES->Free();
}

// FIXME: moving and sizing controls with the window needs the runtime's
// control placement, which no window of this program uses yet.
Level ResizeHandler::ApplyResize() { return LevelOk; }

void ResizeHandler::Detach() {
  // Unregistering from the current window would miss a window that has
  // already closed, and a reopened window would then call a handler that
  // may be gone.
  if (WINDOW)
    WINDOW->UnregisterCallback(rt::EventWindowResized, &ResizeCallback, this);
  else
    rt::UnregisterEvent(rt::EventWindowResized, &ResizeCallback, this);
  WINDOW = nullptr;
  delete PLACEMENTS;
  PLACEMENTS = nullptr;
  delete STRATEGIES;
  STRATEGIES = nullptr;
}

int32_t ResizeCallback(void* handler) { return static_cast<ResizeHandler*>(handler)->ApplyResize(); }

}  // namespace quibra
