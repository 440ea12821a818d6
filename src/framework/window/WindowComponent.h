#pragma once
// An object that takes part in a window's life: the controller calls these at
// the points named and owns none of them (whoever registers a component frees
// it after the window ends).
#include "framework/window/Level.h"

namespace quibra {

class WindowComponent {
 public:
  // Drop whatever the component holds for this window (controller's Shutdown).
  virtual void Release() = 0;
  // Bring the component up to date; non-zero force means unconditionally.
  virtual void Refresh(uint8_t force) = 0;
  // Non-zero when the window should be refreshed after this event.
  virtual uint8_t NeedsRefresh() = 0;
  // Set up the keys the component reacts to.
  virtual void ArmKeys() = 0;
  // Handle the current event; non-zero ends the dispatch of this event with that value.
  virtual Level HandleEvent() = 0;
  virtual void Commit() = 0;
  // Redisplay the component's controls.
  virtual void Redisplay() = 0;

 protected:
  ~WindowComponent() = default;
};

}  // namespace quibra
