#pragma once
// The runtime's event codes and the key codes it produces itself. Control
// events carry the number of the control concerned; window events carry 0.
#include <cstdint>

namespace rt {

enum EventCodes : int32_t {
  EventControlAccepted = 1,
  EventSelectionChanged = 2,
  EventAlertedKey = 15,
  EventInputRejected = 26,
  EventControlSelected = 257,
  EventCloseRequested = 513,
  EventShutdownRequested = 514,
  EventWindowOpened = 515,
  EventFocusLost = 517,
  EventFocusGained = 518,
  EventFormCompleted = 549,
  EventWindowResized = 561,
  EventTimer = 562,    // the window's timer (Window::SetTimer) ran its period
  EventCommand = 563,  // a command of the window's definition was chosen; the key code is its number
};

// Window events are numbered from 512 up; they concern no control.
constexpr bool IsWindowEvent(int32_t event) { return event >= 512; }

enum KeyCodes : int32_t {
  KeyNone = 0,
  KeyMouseLeft = 1,
  KeyMouseRight = 2,
  KeyTab = 9,
  KeyEnter = 13,
  KeyEscape = 27,
  KeyMouseLeftDouble = 129,
  KeyMouseRightDouble = 130,
};

}  // namespace rt
