#pragma once
// One behaviour table of message boxes, run against every drawer a build
// links: the runtime's own box and the native box (through the native
// message hook), on the headless, Qt and Win32 backends. Each drawer's test
// adapts one interface: show the case's box through the runtime's message
// function, answer it as the case says, and report what a person saw.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/MessageBox.h"

namespace box_cases {

enum class Act {
  Press,   // the button `press`, by its caption or access key
  Escape,  // the Escape key
  Close,   // the close box
  Wait,    // nothing, until the box's time has run out
};

struct BoxCase {
  const char* label;
  std::string text;
  std::string caption;
  std::string icon;  // an icon code
  int32_t buttons;
  int32_t defaultButton;
  int32_t style;
  Act act;
  int32_t press;  // for Act::Press, a ButtonSet value
  // What every drawer shows and answers.
  std::vector<std::string> captions;  // left to right, with their access marks
  int32_t defaultValue;
  // Escape or the close box do nothing here: the box stays open, and the
  // drawer then presses the default button (Enter where it has a keyboard).
  bool ignored;
  int32_t result;
  bool scrolls;  // the text is taller than the screen: it scrolls, and the box fits the screen
  // Seconds until the default button presses itself (0: none), and the
  // default button's caption as the box first shows it, counting down.
  int32_t timeout = 0;
  std::string countdown = {};
};

const std::vector<BoxCase>& Cases();

// The case's box as the message function's caller asks for it.
rt::BoxRequest RequestOf(const BoxCase& c);

// What a drawer saw while the box waited, and what the message function gave.
struct Seen {
  bool shown = false;
  std::string title;
  std::vector<std::string> captions;  // as first shown: a countdown included
  int32_t defaultValue = 0;
  int32_t focusedValue = -1;  // the button with the focus; -1 where a drawer cannot tell
  std::string icon;           // the icon code shown, empty for none
  bool systemModal = false;
  std::vector<std::string> lines;  // as shown; empty where a drawer cannot read them
  int closeBox = -1;               // the close box works (1) or is greyed (0); -1: cannot tell
  bool stayedOpen = false;         // after an ignored Escape or close box
  bool scrolls = false;
  bool fitsScreen = true;
  int32_t result = 0;
};

class Drawer {
 public:
  virtual ~Drawer() = default;
  virtual const char* Name() const = 0;
  // True when the box goes through the native message hook (the "Thread
  // Safe" style): its text is cut to 511 characters and its title to 63.
  virtual bool Native() const = 0;
  virtual Seen Show(const BoxCase& c) = 0;
  // Why this drawer cannot check a case (empty: it can), said in the output.
  virtual std::string CannotCheck(const BoxCase&) const { return {}; }
};

// Runs every case through the drawer, each failure labelled with the drawer
// and the case.
void ExpectEveryCase(Drawer& drawer);

}  // namespace box_cases
