#include "composer/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "composer/CommandOptions.h"
#include "composer/ToolTexts.h"
#include "runtime/BoxRules.h"
#include "runtime/Text.h"

namespace quibra {
namespace {

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

// Our own names of the icons, without the desktop's.
std::string OwnIconNames() { return Names(IconNames().first(5)); }

std::string SetName(int32_t set) {
  for (const NamedSet& s : ButtonSetNames())
    if (s.set == set) return s.name;
  return std::to_string(set);
}

std::optional<int32_t> ButtonSetNamed(std::string_view text) {
  const std::string lower = Lower(text);
  for (const NamedSet& s : ButtonSetNames())
    if (lower == s.name || lower == std::to_string(s.set)) return s.set;
  return std::nullopt;
}

const std::string* IconNamed(std::string_view text) {
  const std::string lower = Lower(text);
  for (const NamedIcon& i : IconNames())
    if (lower == i.name) return i.code;
  return nullptr;
}

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

namespace {

std::optional<int32_t> PixelsIn(std::string_view text) {
  if (text.empty() || text.size() > 6 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::stoi(std::string(text));
}

// A window id as X11 writes it: decimal, or hexadecimal after 0x.
std::optional<intptr_t> WindowIn(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string_view digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > (hex ? 8u : 10u)) return std::nullopt;
  int64_t id = 0;
  for (const char c : digits) {
    const int digit = std::isdigit(static_cast<unsigned char>(c))           ? c - '0'
                      : hex && std::isxdigit(static_cast<unsigned char>(c)) ? std::tolower(c) - 'a' + 10
                                                                            : -1;
    if (digit < 0) return std::nullopt;
    id = id * (hex ? 16 : 10) + digit;
  }
  if (id > UINT32_MAX) return std::nullopt;
  return static_cast<intptr_t>(id);
}

// Which dialog kind an option names. kdialog's --error takes its text as its
// value and zenity's takes none: a value, or a word after it that is no
// option, makes it kdialog's.
const DialogKind* KindOf(std::string_view option, bool valueFollows) {
  const DialogKind* found = nullptr;
  for (const DialogKind& k : DialogKinds())
    if (option == k.option && (!found || ((k.values > 0) == valueFollows))) found = &k;
  return found;
}

}  // namespace

namespace {

// Whether an option's value follows it: after '=', or as the next argument
// where that is no option.
bool ValueFollows(const std::vector<std::string>& args, std::size_t i) {
  return args[i].find('=') != std::string::npos ||
         (i + 1 < args.size() && (args[i + 1].empty() || args[i + 1][0] != '-'));
}

// Whose exit statuses a command line ends with, wrong ones included: those
// of the first dialog tool whose kind of box it names.
ExitScheme SchemeOf(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
    const OptionDef* option = FindOption(args[i].substr(0, args[i].find('=')));
    if (option && option->id == Opt::Kind)
      return KindOf(args[i].substr(0, args[i].find('=')), ValueFollows(args, i))->exits;
  }
  return ExitScheme::Native;
}

// kdialog's precedence among several kinds: the one it shows.
std::size_t Precedence(const DialogKind* kind) { return static_cast<std::size_t>(kind - DialogKinds().data()); }

constexpr const char* kNotAvailable = "This option is not available. Please see --help for all possible usages.";

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  parsed.status = UsageStatus(SchemeOf(args));
  CommandLine& line = parsed.line;
  rt::BoxRequest& r = line.request;
  if (!args.empty() && std::all_of(args.begin(), args.end(), [](const std::string& arg) {
        const OptionDef* option = FindOption(arg);
        return option && option->family == OptionFamily::Drawer;
      })) {
    line.action = CommandAction::Composer;
    line.terminal = true;
    return parsed;
  }
  r.icon = rt::IconNone;
  std::optional<std::string> text, kindText, title, defaultButton, iconText, iconName, details, dontAgain;
  std::optional<std::string> okLabel, cancelLabel, yesLabel, noLabel, continueLabel;
  std::vector<std::string> extraLabels;
  bool setGiven = false, optionsEnded = false, noMarkup = false, defaultCancel = false, switchOnly = false;
  const DialogKind* kind = nullptr;

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
    const OptionDef* option = FindOption(name);
    if (!option) {
      parsed.error = "unknown option " + Quoted(name) + " (see --help)";
      break;
    }
    if (option->id == Opt::OtherKind) {
      parsed.error = name + " is not a message box: this program shows message boxes only";
      parsed.status = UsageStatus();
      break;
    }
    if (option->id == Opt::Kind) {
      const DialogKind* named = KindOf(name, ValueFollows(args, i));
      std::vector<std::string> values;
      for (int32_t v = 0; v < named->values; ++v) {
        if (!value && i + 1 == args.size()) {
          parsed.error = "option " + name + " needs a value (" + option->value + ")";
          break;
        }
        values.push_back(value ? *value : args[++i]);
        value.reset();
      }
      if (value) parsed.error = "option " + name + " takes no value";
      if (!parsed.Ok()) break;
      // zenity refuses a second kind; kdialog shows the one it ranks first.
      if (kind && (kind->exits != ExitScheme::Kdialog || named->exits != ExitScheme::Kdialog)) {
        parsed.error = "Two or more dialog options specified (" + std::string(kind->option) + " and " + name + ")";
        break;
      }
      if (!kind || Precedence(named) < Precedence(kind)) {
        kind = named;
        kindText = values.empty() ? std::optional<std::string>() : values[0];
        details = values.size() > 1 ? std::optional<std::string>(values[1]) : std::nullopt;
      }
      continue;
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
        // zenity takes the last of several; the program's own text is one.
        if (text && SchemeOf(args) == ExitScheme::Zenity) text.reset();
        setText(*value);
        break;
      case Opt::Title:
        title = *value;
        break;
      case Opt::Buttons:
        if (const auto set = ButtonSetNamed(*value)) {
          r.buttons = *set;
          setGiven = true;
        } else {
          parsed.error = "unknown button set " + Quoted(*value) + " (" + Names(ButtonSetNames()) + ")";
        }
        break;
      case Opt::Icon:
        // Read once the dialog kind is known, which may come later.
        iconText = *value;
        break;
      case Opt::IconName:
        iconName = *value;
        break;
      case Opt::Default:
        // Read once the button set is known, which may come later.
        defaultButton = *value;
        break;
      case Opt::SystemModal:
        r.style = 1;
        break;
      case Opt::Style: {
        const std::string lower = Lower(*value);
        if (lower == "native" || lower == "runtime")
          line.style = lower == "native" ? BoxStyle::Native : BoxStyle::Runtime;
        else
          parsed.error = "unknown style " + Quoted(*value) + " (native, runtime)";
        break;
      }
      case Opt::Timeout:
        // zenity's time-out of 0 is none.
        if (*value == "0" && SchemeOf(args) == ExitScheme::Zenity)
          r.timeout = 0;
        else if (const auto seconds = SecondsIn(*value))
          r.timeout = *seconds;
        else
          parsed.error = "bad time-out " + Quoted(*value) + " (a whole number of seconds, 1 to " +
                         std::to_string(kMostSeconds) + ")";
        break;
      case Opt::Print:
        line.print = true;
        break;
      case Opt::Help:
        line.action = CommandAction::Help;
        return parsed;
      case Opt::Version:
        line.action = CommandAction::Version;
        return parsed;
      case Opt::Width:
      case Opt::Height:
        if (const auto pixels = PixelsIn(*value))
          (option->id == Opt::Width ? r.width : r.height) = *pixels;
        else
          parsed.error = "bad " + std::string(option->id == Opt::Width ? "width " : "height ") + Quoted(*value) +
                         " (a whole number of pixels)";
        break;
      case Opt::OkLabel:
        okLabel = *value;
        break;
      case Opt::CancelLabel:
        cancelLabel = *value;
        break;
      case Opt::YesLabel:
        yesLabel = *value;
        break;
      case Opt::NoLabel:
        noLabel = *value;
        break;
      case Opt::ContinueLabel:
        continueLabel = *value;
        break;
      case Opt::ExtraButton:
        extraLabels.push_back(*value);
        break;
      case Opt::NoWrap:
        r.wrap = rt::BoxWrap::NoWrap;
        break;
      case Opt::Ellipsize:
        r.wrap = rt::BoxWrap::Ellipsize;
        break;
      case Opt::NoMarkup:
        noMarkup = true;
        break;
      case Opt::WindowIcon:
        r.windowIcon = *value;
        break;
      case Opt::DefaultCancel:
        defaultCancel = true;
        break;
      case Opt::Switch:
        switchOnly = true;
        break;
      case Opt::Attach:
        if (const auto window = WindowIn(*value))
          r.parentWindow = *window;
        else
          parsed.error = "bad window " + Quoted(*value) + " (a window's id, such as 0x3a00007)";
        break;
      case Opt::Display:
        line.display = *value;
        break;
      case Opt::Terminal:
        line.terminal = true;
        break;
      case Opt::DontAgain:
        dontAgain = *value;
        break;
      case Opt::Modal:
      case Opt::Ignored:
      case Opt::Kind:
      case Opt::OtherKind:
        break;
    }
  }
  if (!parsed.Ok()) return parsed;

  const bool zenity = kind && kind->exits == ExitScheme::Zenity;
  const bool kdialog = kind && kind->exits == ExitScheme::Kdialog;
  // zenity's question alone has a Cancel to name and buttons to switch off:
  // elsewhere it refuses --cancel-label and passes over the others.
  const bool question = zenity && kind->set == (rt::ButtonYes | rt::ButtonNo);
  if (zenity && !question && cancelLabel) {
    parsed.error = "--cancel-label is not supported for this dialog";
    return parsed;
  }
  if (zenity && !question) switchOnly = defaultCancel = false;
  if (question && switchOnly && extraLabels.empty()) {
    parsed.error = kNotAvailable;
    return parsed;
  }
  if (kind) {
    line.exits = kind->exits;
    r.escape = rt::EscapeRule::DialogTool;
    if (!setGiven) r.buttons = kind->set;
    r.icon = *kind->icon;
    if (!title) title = kind->title;
    const std::vector<rt::BoxButton> own = rt::ButtonsOf(r.buttons);
    for (std::size_t i = 0; i < 2 && i < own.size(); ++i)
      if (kind->captions[i]) r.captions.push_back({own[i].value, kind->captions[i]});
    if (kindText) setText(*kindText);
    if (!text && *kind->text) text = kind->text;
  }
  if (!parsed.Ok()) return parsed;
  if (text && *text == "-") {
    line.textFromInput = true;
    r.markup = rt::BoxMarkup::Plain;
  } else if (text && zenity) {
    // zenity's --no-markup shows the text as it is written, escapes and all.
    r.text = noMarkup ? *text : ZenityEscapes(*text);
    r.markup = noMarkup ? rt::BoxMarkup::Plain : rt::BoxMarkup::Pango;
  } else if (text && kdialog) {
    r.text = KdialogEscapes(*text);
    r.markup = LooksRich(r.text) ? rt::BoxMarkup::Html : rt::BoxMarkup::Plain;
  } else if (text) {
    r.text = *text;
  }
  if (details) r.details = KdialogEscapes(*details);
  // Without a title the caption goes as omitted, as with the composer's own
  // reports, and each drawer shows its untitled box.
  r.captionOmitted = !title;
  if (title) r.caption = *title;

  // Icons: ours and the desktop's names of them, else (for the dialog tools)
  // a themed icon of the desktop's; kdialog's --icon is the title bar's.
  for (const std::optional<std::string>* named : {&iconText, &iconName}) {
    if (!*named || !parsed.Ok()) continue;
    if (named == &iconText && kdialog) {
      r.windowIcon = **named;
    } else if (const std::string* icon = IconNamed(**named)) {
      r.icon = *icon;
    } else if (kind || named == &iconName) {
      r.themedIcon = **named;
    } else {
      parsed.error = "unknown icon " + Quoted(**named) + " (" + OwnIconNames() + ")";
    }
  }

  // The captions the caller chose: zenity's first and negative buttons, with
  // GTK's '_' before an access key; kdialog's by name, with Qt's '&'.
  auto caption = [&](const std::string& label) { return kdialog ? label : FromUnderscores(label); };
  auto setCaption = [&](int32_t button, const std::string& label) {
    std::erase_if(r.captions, [&](const rt::BoxCaption& c) { return c.button == button; });
    r.captions.push_back({button, caption(label)});
  };
  const std::vector<rt::BoxButton> set = rt::ButtonsOf(r.buttons);
  if (okLabel && !set.empty()) setCaption(set.front().value, *okLabel);
  if (cancelLabel) setCaption((r.buttons & rt::ButtonCancel) ? rt::ButtonCancel : rt::ButtonNo, *cancelLabel);
  if (yesLabel) setCaption(rt::ButtonYes, *yesLabel);
  if (noLabel) setCaption(rt::ButtonNo, *noLabel);
  if (continueLabel && !set.empty()) setCaption(set.front().value, *continueLabel);
  for (const std::string& label : extraLabels) r.extraButtons.push_back({caption(label), label});
  if (switchOnly) r.buttons = 0;
  if (defaultCancel && set.size() > 1) r.defaultButton = 2;
  // kdialog shows the box, saying why, where it cannot remember the answer;
  // a file outside the settings folder is refused the same way.
  if (dontAgain) {
    const std::size_t colon = dontAgain->find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == dontAgain->size() ||
        dontAgain->find_first_of("/\\") < colon || dontAgain->substr(0, colon) == "..")
      parsed.warning =
          "ignoring --dontagain " + Quoted(*dontAgain) + ": it takes FILE:KEY, a file name without a folder";
    else
      line.dontAgain = *dontAgain;
  }
  if (!line.dontAgain.empty()) {
    r.checkBox = "Do not ask again";
    line.remembers = !(r.buttons & rt::ButtonYes)                                          ? RememberedKind::Message
                     : kind && std::string_view(kind->option) == "--warningcontinuecancel" ? RememberedKind::GoOn
                                                                                           : RememberedKind::YesNo;
  }
  if (defaultButton && parsed.Ok()) {
    if (const auto value = DefaultFor(*defaultButton, r.buttons, parsed.error)) r.defaultButton = *value;
  }
  return parsed;
}

std::string ProgramName(std::string_view argv0) {
  if (const std::size_t slash = argv0.find_last_of("/\\"); slash != std::string_view::npos)
    argv0.remove_prefix(slash + 1);
  if (argv0.size() > 4 && Lower(argv0.substr(argv0.size() - 4)) == ".exe") argv0.remove_suffix(4);
  return argv0.empty() ? std::string("quibrad") : std::string(argv0);
}

}  // namespace quibra
