// The command line: any arguments give either a box, help, the version, or
// one line saying what is wrong. A box that the line asks for is written back
// as arguments (the composer's "Copy as command line") that read back as the
// same box.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "composer/CommandLine.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"
#include "runtime/Text.h"

namespace {

// The box as a person sees it: every drawer drops the blanks at the end of
// the text and the title, an omitted title shows as an empty one, a default
// counts by the place it names, and system-modal is any non-zero style.
std::string Describe(const quibra::CommandLine& l) {
  const rt::BoxRequest& r = l.request;
  const std::vector<rt::BoxButton> shown = rt::ButtonsOf(r.buttons);
  std::ostringstream d;
  d << "text=[" << rt::Clip(r.text) << "] title=[" << (r.captionOmitted ? "" : rt::Clip(r.caption))
    << "] icon=" << (r.iconOmitted ? 0 : rt::IconFlag(rt::Clip(r.icon))) << " buttons=" << r.buttons
    << " default=" << rt::DefaultPlace(shown, r.defaultButton) << " modal=" << (r.style != 0)
    << " timeout=" << r.timeout << " runtime=" << (l.style == quibra::BoxStyle::Runtime);
  return d.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::Parts parts(data, size);
  const std::string program = parts.Next();
  const std::vector<std::string> args = parts.All();

  const std::string name = quibra::ProgramName(program);
  fuzz::Check(name.find_first_of("/\\") == std::string::npos, "a program name with a folder in it", name);

  const quibra::ParsedCommandLine parsed = quibra::ParseCommandLine(args);
  if (!parsed.Ok()) {
    fuzz::Check(parsed.error.find('\n') == std::string::npos, "an error of more than one line", parsed.error);
    return 0;
  }
  const quibra::CommandLine& line = parsed.line;
  if (line.action == quibra::CommandAction::Help) {
    const std::string usage = quibra::UsageText(name);
    fuzz::Check(!usage.empty() && usage.back() == '\n', "help that does not end its last line");
    return 0;
  }
  if (line.action != quibra::CommandAction::ShowBox || line.textFromInput) return 0;

  const quibra::BoxArguments back = quibra::ArgumentsOf(line.request, line.style);
  if (!back.cannot.empty()) {
    fuzz::Check(back.args.empty(), "arguments for a box the command line cannot ask for");
    return 0;
  }
  const quibra::ParsedCommandLine again = quibra::ParseCommandLine(back.args);
  fuzz::Check(again.Ok(), "the arguments written for a box are refused", again.error);
  fuzz::Check(again.line.action == quibra::CommandAction::ShowBox && !again.line.textFromInput,
              "the arguments written for a box ask for something else");
  fuzz::Check(Describe(again.line) == Describe(line), "the arguments written for a box read back as another box",
              Describe(line) + "\n  " + Describe(again.line));
  return 0;
}
