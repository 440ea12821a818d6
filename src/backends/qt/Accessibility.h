#pragma once
// What a screen reader reads of the runtime's windows through Qt's
// accessibility bridge (AT-SPI on Linux): a window is a dialog, a message box
// an alert, each named by its title; a message box's text is one label, not
// one per line; a radio is a radio button labelled by its option group.

namespace qtbackend {

// Installs the accessible interfaces that say so; once, before the first
// window is shown. Installing again does nothing.
void InstallAccessibility();

}  // namespace qtbackend
