#pragma once
// The program's command line. With arguments the program shows one message
// box and exits, its status telling which button was pressed, so that shell
// scripts can ask a person something. Parsing is pure: it reads no input and
// shows nothing, so every option and every mistake can be tested as a table.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "composer/ExitStatus.h"
#include "runtime/MessageBox.h"

namespace quibra {

// Who draws the box: the platform's native box through the native message
// hook (the composer's "Thread Safe"), or the runtime's own ("Runtime").
enum class BoxStyle : uint8_t { Native, Runtime };

// Composer: the options that say who draws (--terminal) and nothing else
// start the composer, as the program without arguments does.
enum class CommandAction : uint8_t { ShowBox, Help, Version, Composer };

// What kdialog's --dontagain keeps of a box: which of Yes and No was
// answered, that a box of going on went on, or that a message was seen.
enum class RememberedKind : uint8_t { YesNo, GoOn, Message };

struct CommandLine {
  CommandAction action = CommandAction::ShowBox;
  rt::BoxRequest request;
  // The text is to be read from standard input ("-"); the request's text is
  // then empty until the caller has read it.
  bool textFromInput = false;
  BoxStyle style = BoxStyle::Native;
  ExitScheme exits = ExitScheme::Native;
  bool print = false;  // print the pressed button's name on standard output
  // kdialog's --dontagain: where the answer is remembered, "FILE:KEY" (the
  // file under the user's settings folder); empty: nowhere.
  std::string dontAgain;
  RememberedKind remembers = RememberedKind::Message;
  std::string display;    // the X display to show the box on; empty: the environment's
  bool terminal = false;  // drawn in the terminal, also where there is a display
};

struct ParsedCommandLine {
  CommandLine line;
  // What is wrong, in one line without the program's name; empty when the
  // command line is good.
  std::string error;
  int32_t status = 0;  // the exit status a wrong command line ends with
  // What the program says on standard error before it shows the box (a part
  // of the command line it ignores); empty: nothing.
  std::string warning;
  bool Ok() const { return error.empty(); }
};

// The arguments after the program's name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The program's name as messages give it: argv[0] without its folder (either
// slash) and without a Windows ".exe".
std::string ProgramName(std::string_view argv0);

// What --help and --version print, each ending in a line end.
std::string UsageText(std::string_view program);
std::string VersionText(std::string_view program);

// The arguments (after the program's name) that show the box `request` asks
// for, drawn in `style`: ParseCommandLine reads them back as the same box.
// Only what differs from a plain OK box is written, in the order the help
// lists the options, the text last. A box the command line cannot ask for
// has no arguments and `cannot` says why in one sentence.
struct BoxArguments {
  std::vector<std::string> args;
  std::string cannot;
};
BoxArguments ArgumentsOf(const rt::BoxRequest& request, BoxStyle style);

}  // namespace quibra
