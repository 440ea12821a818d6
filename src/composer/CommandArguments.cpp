// The command lines that show a composed box: the reverse of the parser,
// used by the composer's "Copy as command line" and by the dialog tools'
// forms, which read a box back through the parser first.
#include <algorithm>

#include "composer/CommandLine.h"
#include "composer/CommandOptions.h"
#include "runtime/BoxRules.h"
#include "runtime/Text.h"

namespace quibra {
namespace {

// The button set each drawer shows: the native box shows OK for a set it
// does not have, the runtime's box the set's own eight buttons.
int32_t DrawnSet(const rt::BoxRequest& r, BoxStyle style) {
  if (r.buttonsOmitted) return rt::ButtonOk;
  const bool named = std::any_of(ButtonSetNames().begin(), ButtonSetNames().end(),
                                 [&](const NamedSet& s) { return s.set == r.buttons; });
  if (named) return r.buttons;
  if (style == BoxStyle::Native) return rt::ButtonOk;
  return (r.buttons & 0xFF) ? (r.buttons & 0xFF) : rt::ButtonOk;
}

// The icon each drawer shows: the native hook compares the code as it is,
// the runtime's box without its trailing blanks.
uint32_t DrawnIcon(const rt::BoxRequest& r, BoxStyle style) {
  if (r.iconOmitted) return 0;
  return rt::IconFlag(style == BoxStyle::Native ? r.icon : rt::Clip(r.icon));
}

}  // namespace

BoxArguments ArgumentsOf(const rt::BoxRequest& r, BoxStyle style) {
  BoxArguments out;
  const int32_t set = DrawnSet(r, style);
  const auto namedSet =
      std::find_if(ButtonSetNames().begin(), ButtonSetNames().end(), [&](const NamedSet& s) { return s.set == set; });
  if (namedSet == ButtonSetNames().end()) {
    out.cannot =
        "the command line has no button set " + std::to_string(set) + " (" + ButtonNames(rt::ButtonsOf(set)) + ")";
    return out;
  }
  if (r.timeout > kMostSeconds) {
    out.cannot = "the command line takes a time-out of at most " + std::to_string(kMostSeconds) + " seconds";
    return out;
  }
  const std::vector<rt::BoxButton> shown = rt::ButtonsOf(set);
  const std::size_t place = rt::DefaultPlace(shown, r.defaultButton);
  const uint32_t icon = DrawnIcon(r, style);
  // Every drawer drops the blanks that pad a fixed-length field.
  const std::string caption = r.captionOmitted ? std::string() : rt::Clip(r.caption);
  std::string text = rt::Clip(r.text);
  // A lone dash would be read as "the text comes from standard input"; the
  // trailing blank that tells it apart is dropped again by every drawer.
  if (text == "-") text += ' ';

  auto add = [&](Opt id, std::string value = {}) {
    out.args.emplace_back(OptionName(id));
    if (!value.empty()) out.args.push_back(std::move(value));
  };
  // In the order the help lists the options, so that the same box is always
  // written the same way; the text comes last.
  // An empty title and an omitted one both leave the title bar empty.
  if (!caption.empty()) add(Opt::Title, caption);
  if (set != rt::ButtonOk) add(Opt::Buttons, namedSet->name);
  // Our own name of the icon: the first one the table gives it.
  const auto named = std::find_if(IconNames().begin(), IconNames().end(),
                                  [&](const NamedIcon& i) { return icon != 0 && rt::IconFlag(*i.code) == icon; });
  if (named != IconNames().end()) add(Opt::Icon, named->name);
  if (place != 0) add(Opt::Default, Lower(shown[place].name));
  if (r.style != 0) add(Opt::SystemModal);
  if (style != BoxStyle::Native) add(Opt::Style, "runtime");
  if (r.timeout > 0) add(Opt::Timeout, std::to_string(r.timeout));
  if (!text.empty()) {
    if (text[0] == '-') out.args.emplace_back("--");
    out.args.push_back(text);
  }
  return out;
}

}  // namespace quibra
