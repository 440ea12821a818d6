#pragma once
// The part of a window's resize handling that its controller needs: the
// callback the runtime calls on each resize event, and Detach, which the
// controller's Shutdown calls. A handler keeps each control's original place
// and how it follows the window's size.
#include <cstdint>

#include "framework/window/Level.h"
#include "runtime/Queue.h"

namespace rt {
class Window;
}

namespace quibra {

struct ResizePlacement {
  int32_t CONTROL = 0;
  int32_t X = 0, Y = 0, WIDTH = 0, HEIGHT = 0;
};

struct ResizeStrategy {
  int32_t CONTROL = 0;
  uint8_t FOLLOWS = 0;  // bit 1: moves right with the window, bit 2: down, bit 4: widens, bit 8: grows taller
};

class ResizeHandler {
 public:
  rt::Queue<ResizePlacement>* PLACEMENTS = nullptr;
  rt::Queue<ResizeStrategy>* STRATEGIES = nullptr;
  // The window the callback was registered with. Detach runs at the
  // controller's Shutdown, usually after the window has closed, when it is no
  // longer the current window; it must still be prepared (a derived Shutdown
  // releases its window only after the base has run).
  rt::Window* WINDOW = nullptr;

  virtual ~ResizeHandler();
  // Makes the lists and registers ResizeCallback for the current window's resize events.
  virtual void Init();
  virtual void Reset();
  // Applies the window's new size to its controls.
  virtual Level ApplyResize();

  // Unregisters the callback and disposes of both lists.
  void Detach();
};

// Called by the runtime for each resize event of the window it was registered for.
int32_t ResizeCallback(void* handler);

}  // namespace quibra
