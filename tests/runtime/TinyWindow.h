#pragma once
// A small window with a control of each kind, and a loop runner that records
// the events a window's loop sees, for the runtime's window tests.
#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

#include "runtime/Text.h"
#include "runtime/Window.h"

namespace tiny {

enum Controls : int32_t {
  NamePrompt = 1,
  Name = 2,      // entry "s10"
  Size = 3,      // option group, numeric values
  Small = 4,     // radio "1"
  Large = 5,     // radio "2"
  Icon = 6,      // option group, icon codes
  IconNone = 7,  // radio FF 01
  IconHand = 8,  // radio FF 01 02 7F
  Agree = 9,     // check box
  Count = 10,    // spin "n1"
  Ok = 11,       // button
  Cancel = 12,   // button
  History = 13,  // list, two columns
  Picture = 14,  // image
};

struct Data {
  rt::FixedString<10> name{"Ann"};
  int32_t size = 1;
  rt::FixedString<4> icon;
  int32_t agree = 0;
  uint8_t count = 3;
};

// Registers the window (module "tests", name "TINY") if needed, prepares it
// with the data bound and opens it, the focus on `focus` where it can be.
rt::Window* Open(Data& data, int32_t focus = 0);

struct Seen {
  int32_t event;
  int32_t field;
  int32_t accepted;
  bool operator==(const Seen&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Seen& s);

// Runs the current window's event loop to its end. Each event is recorded,
// then handed to `handle`, whose result is the end flag (0 when none).
using Handler = std::function<int32_t(const Seen&)>;
std::vector<Seen> RunLoop(const Handler& handle = {});

}  // namespace tiny
