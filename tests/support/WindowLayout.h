#pragma once
// The layout rule of every window definition, the program's own and the
// runtime's generated boxes alike.
#include "runtime/WindowDef.h"

namespace quibra_test {

// Every shown control lies inside the window, and no control with a size of
// its own covers another (a control of no size is sized by the platform to
// its caption, and a hidden one is not there). Failures name the window and
// the controls.
void ExpectInsideAndApart(const rt::WindowDef& def);

}  // namespace quibra_test
