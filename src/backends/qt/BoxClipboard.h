#pragma once
// What Ctrl+C in a message box puts on the clipboard: the whole box in the
// layout the Windows message box uses, so that a user can paste it into a
// report:
//
//   ---------------------------
//   Title
//   ---------------------------
//   Text
//   ---------------------------
//   OK   Cancel
//   ---------------------------
//
// (each button caption is followed by three spaces). Lines end with '\n'.
#include <string>
#include <vector>

#include "runtime/BoxRules.h"

namespace qtbackend {

// A caption with its access-key marks taken out: "&Yes" gives "Yes", "&&"
// gives "&".
using rt::WithoutAccessKeys;

// `text` may hold several lines separated by '\n' or CR LF.
std::string BoxClipboardText(const std::string& title, const std::string& text,
                             const std::vector<std::string>& buttonCaptions);

}  // namespace qtbackend
