#pragma once
// The title bar of a message box, the native one and the runtime's alike: a
// title, a close button only where Escape answers the box, and never a
// minimise or a maximise button (a custom title bar shows only the buttons
// named, also where the program draws its own, as on Wayland). A system-modal
// box stays above every other window: X11 has no modality across programs.
#include <Qt>

namespace qtbackend {

inline Qt::WindowFlags BoxWindowFlags(bool closeButton, bool systemModal) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeButton) flags |= Qt::WindowCloseButtonHint;
  if (systemModal) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

}  // namespace qtbackend
