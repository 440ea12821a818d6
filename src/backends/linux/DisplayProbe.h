#pragma once
// Whether a display can be opened, tried before the desktop backend starts:
// a display named in the environment whose server is gone (an SSH session's
// stale DISPLAY) is no display, and the terminal draws instead.
#include <string>

namespace backend {

// Where an X display's server listens: DISPLAY "[host]:N[.S]".
struct XDisplayAddress {
  bool valid = false;
  std::string host;  // empty or "unix": this machine's socket
  int number = 0;
};
XDisplayAddress ParseXDisplay(const std::string& display);

// Connects to the X display's server, or the Wayland compositor's socket,
// and hangs up again; false where nobody answers.
bool XDisplayAnswers(const std::string& display);
bool WaylandDisplayAnswers(const std::string& wayland, const std::string& runtimeDir);

}  // namespace backend
