#pragma once
// The one QApplication of the process, made when the backend is installed.
// Without a display the program says so in one line and how to run it,
// instead of letting the toolkit abort.
#include <string>

class QApplication;

namespace qtbackend {

// Empty when a window system can be tried: a Qt platform is named
// (QT_QPA_PLATFORM) or an X or Wayland display is set. Otherwise the one-line
// message for the user. Arguments are the three variables' values or null.
std::string MissingDisplayMessage(const char* platform, const char* display, const char* wayland);

// Makes the application on the first call (on the thread that runs the
// windows) and returns it. Ends the process with exit code 1 and a one-line
// message when there is no display or the display cannot be opened.
QApplication& EnsureApplication();

// After a window or message box closes, the window now on top takes the
// keyboard again, as on Windows an owner does when its owned window goes.
// Without this, a desktop without a window manager (a bare virtual display)
// leaves no window active and the keyboard reaches nothing.
void ActivateTopWindow();

}  // namespace qtbackend
