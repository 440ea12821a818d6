#include "composer/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "runtime/BoxRules.h"
#include "runtime/Text.h"

// The build passes the project's version, so that --version cannot fall
// behind a release.
#ifndef QUIBRA_VERSION
#error "QUIBRA_VERSION must be defined by the build"
#endif

namespace quibra {
namespace {

enum class Opt : uint8_t {
  Text,
  Title,
  Buttons,
  Icon,
  Default,
  SystemModal,
  Style,
  Timeout,
  Print,
  Info,
  Warning,
  Error,
  Question,
  Help,
  Version
};

struct OptionDef {
  const char* name;
  const char* value;  // what its value is called in the help; null: it takes none
  Opt id;
  const char* help;  // '\n' starts a line of its own, indented like the first
};

// Every option, in the order the help lists them.
constexpr OptionDef kOptions[] = {
    {"--text", "TEXT", Opt::Text, "the message; \"|\" breaks a line; - reads it from standard input"},
    {"--title", "TEXT", Opt::Title, "the box's title"},
    {"--buttons", "SET", Opt::Buttons,
     "ok (the default), okcancel, yesno, yesnocancel, abortretryignore,\nretrycancel, or the set's number (1, 65, 6, "
     "70, 56, 80)"},
    {"--icon", "ICON", Opt::Icon, "none (the default), error, question, warning, information"},
    {"--default", "BUTTON", Opt::Default, "the default button: its place 1-3, or its name, such as no"},
    {"--system-modal", nullptr, Opt::SystemModal, "show the box system-modal"},
    {"--style", "STYLE", Opt::Style, "native: the platform's own box (the default); runtime: the\nruntime's own box"},
    {"--timeout", "SECONDS", Opt::Timeout,
     "press the default button after SECONDS (1 to 86400), counting them\ndown on it; the exit status says the time "
     "ran out"},
    {"--print", nullptr, Opt::Print, "print the pressed button's name (OK, YES, ...) on standard output"},
    {"--info", nullptr, Opt::Info, "an OK box with the information icon"},
    {"--warning", nullptr, Opt::Warning, "an OK box with the warning icon"},
    {"--error", nullptr, Opt::Error, "an OK box with the error icon"},
    {"--question", nullptr, Opt::Question, "a Yes/No box with the question icon"},
    {"--help", nullptr, Opt::Help, "show this help and exit"},
    {"--version", nullptr, Opt::Version, "show the version and exit"},
};

struct NamedSet {
  const char* name;
  int32_t set;
};
constexpr NamedSet kButtonSets[] = {
    {"ok", rt::ButtonOk},
    {"okcancel", rt::ButtonOk | rt::ButtonCancel},
    {"yesno", rt::ButtonYes | rt::ButtonNo},
    {"yesnocancel", rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel},
    {"abortretryignore", rt::ButtonAbort | rt::ButtonRetry | rt::ButtonIgnore},
    {"retrycancel", rt::ButtonRetry | rt::ButtonCancel},
};

struct NamedIcon {
  const char* name;
  const std::string* code;
};
const NamedIcon kIcons[] = {
    {"none", &rt::IconNone},           {"error", &rt::IconHand},           {"question", &rt::IconQuestion},
    {"warning", &rt::IconExclamation}, {"information", &rt::IconAsterisk},
};

struct NamedStyle {
  const char* name;
  BoxStyle style;
};
constexpr NamedStyle kStyles[] = {{"native", BoxStyle::Native}, {"runtime", BoxStyle::Runtime}};

// The options of the usual desktop dialog tools: what each one asks for
// when --buttons, --icon and --title do not say otherwise.
struct DialogToolForm {
  Opt id;
  int32_t set;
  const std::string* icon;
  const char* title;
};
const DialogToolForm kDialogToolForms[] = {
    {Opt::Info, rt::ButtonOk, &rt::IconAsterisk, "Information"},
    {Opt::Warning, rt::ButtonOk, &rt::IconExclamation, "Warning"},
    {Opt::Error, rt::ButtonOk, &rt::IconHand, "Error"},
    {Opt::Question, rt::ButtonYes | rt::ButtonNo, &rt::IconQuestion, "Question"},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The text with blanks added up to `width`, after it or (`right`) before it.
std::string Padded(std::string text, std::size_t width, bool right = false) {
  if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), ' ');
  return text;
}

// What the user gave, in quotes, for a message. Control characters are
// written as escapes (\n, \x1b), so that the message stays one line and
// nothing the user typed can act on the terminal; other bytes (letters of any
// script, backslashes of a Windows path) stay as typed.
std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

template <class Table>
std::string Names(const Table& table) {
  std::string names;
  for (const auto& row : table) names += (names.empty() ? "" : ", ") + std::string(row.name);
  return names;
}

std::string SetName(int32_t set) {
  for (const NamedSet& s : kButtonSets)
    if (s.set == set) return s.name;
  return std::to_string(set);
}

std::string ButtonNames(const std::vector<rt::BoxButton>& buttons) {
  std::string names;
  for (const rt::BoxButton& b : buttons) names += (names.empty() ? "" : ", ") + Lower(b.name);
  return names;
}

std::optional<int32_t> ButtonSetNamed(std::string_view text) {
  const std::string lower = Lower(text);
  for (const NamedSet& s : kButtonSets)
    if (lower == s.name || lower == std::to_string(s.set)) return s.set;
  return std::nullopt;
}

const std::string* IconNamed(std::string_view text) {
  const std::string lower = Lower(text);
  for (const NamedIcon& i : kIcons)
    if (lower == i.name) return i.code;
  return nullptr;
}

// A time-out longer than a day is surely a mistake, and keeps the countdown's
// milliseconds well inside 32 bits.
constexpr int32_t kMostSeconds = 86400;

std::optional<int32_t> SecondsIn(std::string_view text) {
  if (text.empty() || text.size() > 5 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int32_t seconds = std::stoi(std::string(text));
  if (seconds < 1 || seconds > kMostSeconds) return std::nullopt;
  return seconds;
}

// The request's default for a default button named by its place (1-3) or
// its name. The box reads 2 and 3 as places and any other value as a
// button's, so the first place is given as 0 (no button's value): a button's
// own value would be misread where it is 2 or 3 (YES is 2).
std::optional<int32_t> DefaultFor(std::string_view text, int32_t set, std::string& error) {
  const std::vector<rt::BoxButton> shown = rt::ButtonsOf(set);
  const std::string where = "the button set " + SetName(set) + " has no button ";
  const std::string choices = " (" + ButtonNames(shown) + ")";
  std::size_t place = 0;
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '3') {
    place = static_cast<std::size_t>(text[0] - '0');
    if (place > shown.size()) {
      error = where + std::string(text) + choices;
      return std::nullopt;
    }
  } else {
    const std::string lower = Lower(text);
    for (std::size_t i = 0; i < shown.size() && place == 0; ++i)
      if (lower == Lower(shown[i].name)) place = i + 1;
    if (place == 0) {
      bool isButton = false;
      for (const rt::BoxButton& b : rt::AllBoxButtons()) isButton = isButton || lower == Lower(b.name);
      error = isButton ? where + Quoted(text) + choices
                       : "bad default button " + Quoted(text) +
                             " (a place 1-3, or a button's name: " + ButtonNames(shown) + ")";
      return std::nullopt;
    }
  }
  return place == 1 ? 0 : static_cast<int32_t>(place);
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CommandLine& line = parsed.line;
  line.request.icon = rt::IconNone;
  std::optional<std::string> text, title, defaultButton;
  bool setGiven = false, iconGiven = false, optionsEnded = false;
  const DialogToolForm* form = nullptr;

  auto setText = [&](const std::string& value) {
    if (text) parsed.error = "the text is given twice (" + Quoted(*text) + " and " + Quoted(value) + ")";
    text = value;
  };
  for (std::size_t i = 0; i < args.size() && parsed.Ok(); ++i) {
    const std::string& arg = args[i];
    // A lone "-" is standard input, and whatever follows "--" is text even
    // where it starts with a dash.
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      setText(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    const OptionDef* option = nullptr;
    for (const OptionDef& o : kOptions)
      if (name == o.name) option = &o;
    if (!option) {
      parsed.error = "unknown option " + Quoted(name) + " (see --help)";
      break;
    }
    if (option->value && !value) {
      if (i + 1 == args.size()) {
        parsed.error = "option " + name + " needs a value (" + option->value + ")";
        break;
      }
      value = args[++i];
    } else if (!option->value && value) {
      parsed.error = "option " + name + " takes no value";
      break;
    }
    switch (option->id) {
      case Opt::Text:
        setText(*value);
        break;
      case Opt::Title:
        title = *value;
        break;
      case Opt::Buttons:
        if (const auto set = ButtonSetNamed(*value)) {
          line.request.buttons = *set;
          setGiven = true;
        } else {
          parsed.error = "unknown button set " + Quoted(*value) + " (" + Names(kButtonSets) + ")";
        }
        break;
      case Opt::Icon:
        if (const std::string* icon = IconNamed(*value)) {
          line.request.icon = *icon;
          iconGiven = true;
        } else {
          parsed.error = "unknown icon " + Quoted(*value) + " (" + Names(kIcons) + ")";
        }
        break;
      case Opt::Default:
        // Read once the button set is known, which may come later.
        defaultButton = *value;
        break;
      case Opt::SystemModal:
        line.request.style = 1;
        break;
      case Opt::Style: {
        const auto named = std::find_if(std::begin(kStyles), std::end(kStyles),
                                        [&](const NamedStyle& n) { return Lower(*value) == n.name; });
        if (named != std::end(kStyles))
          line.style = named->style;
        else
          parsed.error = "unknown style " + Quoted(*value) + " (" + Names(kStyles) + ")";
        break;
      }
      case Opt::Timeout:
        if (const auto seconds = SecondsIn(*value))
          line.request.timeout = *seconds;
        else
          parsed.error = "bad time-out " + Quoted(*value) + " (a whole number of seconds, 1 to " +
                         std::to_string(kMostSeconds) + ")";
        break;
      case Opt::Print:
        line.print = true;
        break;
      case Opt::Info:
      case Opt::Warning:
      case Opt::Error:
      case Opt::Question:
        for (const DialogToolForm& f : kDialogToolForms)
          if (f.id == option->id) form = &f;
        break;
      case Opt::Help:
        line.action = CommandAction::Help;
        return parsed;
      case Opt::Version:
        line.action = CommandAction::Version;
        return parsed;
    }
  }
  if (!parsed.Ok()) return parsed;

  if (form) {
    line.exits = ExitScheme::DialogTool;
    if (!setGiven) line.request.buttons = form->set;
    if (!iconGiven) line.request.icon = *form->icon;
    if (!title) title = form->title;
  }
  if (text && *text == "-") {
    line.textFromInput = true;
  } else if (text) {
    line.request.text = *text;
  }
  // Without a title the caption goes as omitted, as with the composer's own
  // reports, and each drawer shows its untitled box.
  line.request.captionOmitted = !title;
  if (title) line.request.caption = *title;
  if (defaultButton) {
    if (const auto value = DefaultFor(*defaultButton, line.request.buttons, parsed.error))
      line.request.defaultButton = *value;
  }
  return parsed;
}

std::string ProgramName(std::string_view argv0) {
  if (const std::size_t slash = argv0.find_last_of("/\\"); slash != std::string_view::npos)
    argv0.remove_prefix(slash + 1);
  if (argv0.size() > 4 && Lower(argv0.substr(argv0.size() - 4)) == ".exe") argv0.remove_suffix(4);
  return argv0.empty() ? std::string("quibrad") : std::string(argv0);
}

std::string UsageText(std::string_view program) {
  constexpr std::size_t kHelpColumn = 22;
  std::string usage = "Usage: " + std::string(program) + " [OPTION]... [TEXT]\n" +
                      "Shows one message box and exits; the exit status tells which button was pressed.\n" +
                      "Without arguments, starts the composer.\n\n";
  for (const OptionDef& o : kOptions) {
    usage += Padded("  " + std::string(o.name) + (o.value ? " " + std::string(o.value) : "") + " ", kHelpColumn);
    for (const char* c = o.help; *c; ++c)
      usage += *c == '\n' ? "\n" + std::string(kHelpColumn, ' ') : std::string(1, *c);
    usage += '\n';
  }
  usage +=
      "\nAn option's value may also follow an '=' (--title=Hello). --info, --warning, --error and --question\n"
      "end with the exit status of the desktop dialog tools; --buttons, --icon and --title still apply.\n\n";
  std::size_t width = 0;
  for (const ExitStatusRow& row : ExitStatusTable()) width = std::max(width, std::string_view(row.meaning).size());
  usage += Padded("Exit status", width + 2) + Padded("own", 5, true) + Padded("dialog", 8, true) + "\n";
  for (const ExitStatusRow& row : ExitStatusTable())
    usage += Padded("  " + std::string(row.meaning), width + 2) + Padded(std::to_string(row.native), 5, true) +
             Padded(std::to_string(row.dialogTool), 8, true) + "\n";
  return usage;
}

std::string VersionText(std::string_view program) { return std::string(program) + " " + QUIBRA_VERSION + "\n"; }

namespace {

const char* OptionName(Opt id) {
  for (const OptionDef& o : kOptions)
    if (o.id == id) return o.name;
  return "";
}

// The button set each drawer shows: the native box shows OK for a set it
// does not have, the runtime's box the set's own eight buttons.
int32_t DrawnSet(const rt::BoxRequest& r, BoxStyle style) {
  if (r.buttonsOmitted) return rt::ButtonOk;
  const bool named = std::any_of(std::begin(kButtonSets), std::end(kButtonSets),
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
      std::find_if(std::begin(kButtonSets), std::end(kButtonSets), [&](const NamedSet& s) { return s.set == set; });
  if (namedSet == std::end(kButtonSets)) {
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
  for (const OptionDef& o : kOptions) {
    switch (o.id) {
      case Opt::Title:
        // An empty title and an omitted one both leave the title bar empty.
        if (!caption.empty()) add(o.id, caption);
        break;
      case Opt::Buttons:
        if (set != rt::ButtonOk) add(o.id, namedSet->name);
        break;
      case Opt::Icon:
        for (const NamedIcon& i : kIcons)
          if (icon != 0 && rt::IconFlag(*i.code) == icon) add(o.id, i.name);
        break;
      case Opt::Default:
        if (place != 0) add(o.id, Lower(shown[place].name));
        break;
      case Opt::SystemModal:
        if (r.style != 0) add(o.id);
        break;
      case Opt::Style:
        for (const NamedStyle& s : kStyles)
          if (s.style == style && style != BoxStyle::Native) add(o.id, s.name);
        break;
      case Opt::Timeout:
        if (r.timeout > 0) add(o.id, std::to_string(r.timeout));
        break;
      default:
        break;
    }
  }
  if (!text.empty()) {
    if (text[0] == '-') out.args.emplace_back("--");
    out.args.push_back(text);
  }
  return out;
}

}  // namespace quibra
