#include "framework/window/WindowGlobals.h"

namespace quibra {

SharedWindowGlobals WindowGlobals;

}  // namespace quibra
