#pragma once
// What the headless backend records: every message box shown and every
// platform call made, for tests to read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/MessageBox.h"

namespace headless {

struct BoxRecord {
  std::string drawer;  // "runtime" (the runtime's own box) or "native" (MessageBoxA)
  std::string text;    // as passed: a native box's text holds CR LF
  std::string caption;
  std::vector<std::string> lines;  // the text as shown, line by line, long lines wrapped
  bool scrolls = false;            // more lines than the screen holds: the text scrolls
  intptr_t owner = 0;              // the owner window's native handle; 0 = none
  // The same for both drawers, as ButtonSet values: the buttons shown, the
  // default one, and the answer (0 while unanswered or when none).
  int32_t buttons = 0;
  int32_t defaultValue = 0;
  int32_t result = 0;  // rt::BoxTimedOut when the box's time ran out
  // The icon code, the style (non-zero: system-modal) and the button captions
  // left to right; a runtime box's default and style arguments as given, a
  // native box's icon and modality as its flags give them.
  std::string icon;
  int32_t defaultButton = 0;
  int32_t style = 0;
  std::vector<std::string> captions;
  std::vector<int32_t> values;  // the buttons' values, in the same order
  // A box with a time-out: its seconds, and the default button's caption at
  // each second the user waited ("OK (3)", "OK (2)", ...).
  int32_t timeout = 0;
  std::vector<std::string> countdown;
  // A native box: MessageBoxA's flag word and its raw result (an ID* value).
  uint32_t flags = 0;
  int32_t rawResult = 0;
  // A check box under the text ("Do not ask again") and whether the user
  // left it ticked; empty where the box has none.
  std::string checkBox;
  bool checked = false;
  // A native box asked for with the whole request (the command line's): the
  // request as it came; a default request otherwise.
  rt::BoxRequest request;
};

struct PlatformCall {
  std::string function;  // "SystemParametersInfoA", "HeapAlloc", "HeapFree", "MessageBoxA"
  uint32_t action = 0;   // SystemParametersInfoA's arguments
  uint32_t param = 0;
  uint32_t winIni = 0;
  uint32_t flags = 0;     // HeapAlloc's and HeapFree's flags, MessageBoxA's flag word
  std::size_t bytes = 0;  // HeapAlloc's size
  intptr_t block = 0;     // the block HeapAlloc gave or HeapFree was given
  int32_t result = 0;     // non-zero for success; MessageBoxA's raw result
};

struct BeepRecord {
  int32_t frequency;
  int32_t duration;
  bool operator==(const BeepRecord&) const = default;
};

}  // namespace headless
