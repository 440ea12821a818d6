#pragma once
// What a toolbar router passes toolbar work to. No class of this program
// implements it; form windows with toolbars do.
#include <cstdint>

namespace quibra {

class WindowController;

class ToolbarClient {
 public:
  virtual void ShowButtons() = 0;
  virtual void Activate() = 0;
  // Non-zero: this client wants to be the current one.
  virtual uint8_t WantsToolbar() = 0;
  // vcrRequest is the controller's VCRREQUEST: the LONG in which a pending toolbar request is kept.
  virtual void HandleAccepted(int32_t* vcrRequest, WindowController* controller) = 0;

 protected:
  ~ToolbarClient() = default;
};

}  // namespace quibra
