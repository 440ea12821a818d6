#include "app/RunCommandLine.h"

#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "composer/ComposerUtility.h"
#include "runtime/BoxRules.h"

namespace quibra {
namespace {

// All of the input, without the line end a file or an echo leaves at its end,
// which would otherwise be an empty last line in the box.
std::string ReadText(std::istream& in) {
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

const char* ButtonName(int32_t value) {
  for (const rt::BoxButton& b : rt::AllBoxButtons())
    if (b.value == value) return b.name;
  return nullptr;
}

}  // namespace

int32_t RunCommandLine(const CommandLine& line, std::string_view program, std::istream& in, std::ostream& out,
                       std::ostream& err) {
  rt::BoxRequest request = line.request;
  if (line.textFromInput) request.text = ReadText(in);
  ComposerUtility().SetMessageHook(line.style == BoxStyle::Native ? 1 : 0);
  const int32_t pressed = rt::ShowBox(request);
  // A box whose time ran out pressed its default button, and says that one.
  const std::vector<rt::BoxButton> shown = rt::ButtonsOf(request.buttons);
  const int32_t answer = pressed == rt::BoxTimedOut && !shown.empty()
                             ? shown[rt::DefaultPlace(shown, request.defaultButton)].value
                             : pressed;
  if (const char* name = ButtonName(answer)) {
    if (line.print) out << name << '\n';
  } else {
    err << program << ": the message box could not be shown\n";
  }
  out.flush();
  return ExitStatusOf(pressed, line.exits);
}

}  // namespace quibra
