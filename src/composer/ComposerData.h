#pragma once
// The composer procedure's data: the variables bound to the window's data
// controls, the window, and the objects the procedure owns while it runs.
#include <cstdint>

#include "runtime/Text.h"

namespace rt {
class Window;
}

namespace quibra {

class ComposerUtility;
class ToolbarRouter;

struct ComposerData {
  rt::FixedString<128> MESSAGETEXT;  // control 2
  rt::FixedString<40> MESSAGETITLE;  // control 4
  int32_t BUTTONSTYLE = 0;           // control 5, a ButtonSet sum
  rt::FixedString<4> MSGICON;        // control 12, an icon code
  uint8_t DEFAULTBUTTON = 0;         // control 19
  int32_t SYSTEMMODAL = 0;           // control 20, 1 when ticked
  int32_t MESSAGESTYLE = 0;          // control 21: 1 "Thread Safe", 0 "Runtime"

  rt::Window* window = nullptr;
  ComposerUtility* utility = nullptr;
  ToolbarRouter* toolbar = nullptr;
};

}  // namespace quibra
