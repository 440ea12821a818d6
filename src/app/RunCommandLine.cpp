#include "app/RunCommandLine.h"

#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/RememberedAnswers.h"
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

}  // namespace

int32_t RunCommandLine(const CommandLine& line, std::string_view program, std::istream& in, std::ostream& out,
                       std::ostream& err) {
  rt::BoxRequest request = line.request;
  if (line.textFromInput) request.text = ReadText(in);
  const bool remembers = !line.dontAgain.empty();
  rt::BoxAnswer answer;
  if (const std::optional<int32_t> remembered =
          remembers ? RememberedAnswer(line.dontAgain, line.remembers) : std::nullopt)
    answer.button = *remembered;
  else
    // The command line's box is not the composer's: its text and title go
    // whole to the drawer, with every part of the request.
    answer = line.style == BoxStyle::Native ? rt::AskNativeBox(request) : rt::AskRuntimeBox(request);

  // A box whose time ran out pressed its default button, and says that one.
  const std::vector<rt::ShownButton> shown = rt::ButtonsOf(request, line.style == BoxStyle::Native);
  const int32_t pressed = answer.button == rt::BoxTimedOut && !shown.empty()
                              ? shown[rt::DefaultPlace(shown, request.defaultButton)].value
                              : answer.button;
  const rt::ShownButton* button = nullptr;
  for (const rt::ShownButton& b : shown)
    if (b.value == pressed) button = &b;
  // Escape and the close box answer Cancel by the dialog tools' rule, also
  // where the box shows no Cancel.
  const std::string name = button ? button->name : pressed == rt::ButtonCancel ? "CANCEL" : "";
  if (answer.button == kNotShownAgainRow) {
    // Nothing was shown, and nothing is said.
  } else if (name.empty()) {
    err << program << ": the message box could not be shown\n";
  } else if (line.print || (line.exits == ExitScheme::Zenity && pressed >= rt::kFirstExtraButton)) {
    // zenity prints an added button's label, whatever else is asked.
    out << name << '\n';
  }
  out.flush();
  std::string error;
  if (remembers && answer.checked && answer.button != rt::BoxTimedOut &&
      !RememberAnswer(line.dontAgain, line.remembers, answer.button, error))
    err << program << ": the answer could not be remembered: " << error << '\n';
  return ExitStatusOf(answer.button, line.exits);
}

}  // namespace quibra
