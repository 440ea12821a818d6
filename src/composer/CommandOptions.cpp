#include "composer/CommandOptions.h"

#include <algorithm>
#include <cctype>

namespace quibra {
namespace {

using F = OptionFamily;

constexpr OptionDef kOptions[] = {
    {"--text", "TEXT", Opt::Text, F::Own, "the message; \"|\" breaks a line; - reads it from standard input"},
    {"--title", "TEXT", Opt::Title, F::Own, "the box's title"},
    {"--buttons", "SET", Opt::Buttons, F::Own,
     "ok (the default), okcancel, yesno, yesnocancel, abortretryignore,\nretrycancel, or the set's number (1, 65, 6, "
     "70, 56, 80)"},
    {"--icon", "ICON", Opt::Icon, F::Own,
     "none (the default), error, question, warning, information, or the\ndesktop's dialog-error, dialog-question, "
     "dialog-warning,\ndialog-information"},
    {"--default", "BUTTON", Opt::Default, F::Own, "the default button: its place 1-3, or its name, such as no"},
    {"--system-modal", nullptr, Opt::SystemModal, F::Own, "show the box system-modal"},
    {"--style", "STYLE", Opt::Style, F::Own,
     "native: the platform's own box (the default); runtime: the\nruntime's own box"},
    {"--timeout", "SECONDS", Opt::Timeout, F::Own,
     "press the default button after SECONDS (1 to 86400), counting them\ndown on it; the exit status says the time "
     "ran out"},
    {"--print", nullptr, Opt::Print, F::Own, "print the pressed button's name (OK, YES, ...) on standard output"},
    {"--help", nullptr, Opt::Help, F::Own, "show this help and exit (also -h)"},
    {"-h", nullptr, Opt::Help, F::Own, nullptr},
    {"--version", nullptr, Opt::Version, F::Own, "show the version and exit"},

    {"--terminal", nullptr, Opt::Terminal, F::Drawer,
     "draw the box in the terminal, also where a display could be opened\n(without a display it is drawn there "
     "anyway); alone, it starts the composer there"},

    {"--info", nullptr, Opt::Kind, F::Zenity, "an OK box with the information icon"},
    {"--warning", nullptr, Opt::Kind, F::Zenity, "an OK box with the warning icon"},
    {"--error", nullptr, Opt::Kind, F::Zenity, "an OK box with the error icon (kdialog's: --error TEXT)"},
    {"--question", nullptr, Opt::Kind, F::Zenity, "a Yes/No box with the question icon"},
    {"--width", "PIXELS", Opt::Width, F::Zenity, "the box's width; its text wraps to fit"},
    {"--height", "PIXELS", Opt::Height, F::Zenity, "the box's height at least"},
    {"--ok-label", "TEXT", Opt::OkLabel, F::Zenity, "the caption of the first button (OK, Yes)"},
    {"--cancel-label", "TEXT", Opt::CancelLabel, F::Zenity, "the caption of Cancel, or of No"},
    {"--extra-button", "TEXT", Opt::ExtraButton, F::Zenity,
     "one more button (again for more); pressed, it prints its caption"},
    {"--no-wrap", nullptr, Opt::NoWrap, F::Zenity, "do not wrap long lines"},
    {"--no-markup", nullptr, Opt::NoMarkup, F::Zenity, "show <b> and &amp; as they are written"},
    {"--ellipsize", nullptr, Opt::Ellipsize, F::Zenity, "cut lines longer than the box with \"...\""},
    {"--icon-name", "NAME", Opt::IconName, F::Zenity, "the icon by the desktop's name (dialog-warning, ...)"},
    {"--window-icon", "ICON", Opt::WindowIcon, F::Zenity,
     "the title bar's icon: a file, a name, or info, warning, ..."},
    {"--default-cancel", nullptr, Opt::DefaultCancel, F::Zenity, "make Cancel (or No) the default"},
    {"--switch", nullptr, Opt::Switch, F::Zenity, "show only the --extra-button buttons"},
    {"--modal", nullptr, Opt::Modal, F::Zenity, "keep the box above its parent (--attach)"},
    {"--attach", "WINDOW", Opt::Attach, F::Zenity, "the window (its X11 id) the box belongs to"},
    {"--display", "DISPLAY", Opt::Display, F::Zenity, "the X display to show the box on"},
    {"--class", "CLASS", Opt::Ignored, F::Zenity, nullptr},
    {"--name", "NAME", Opt::Ignored, F::Zenity, nullptr},
    {"--gtk-module", "MODULES", Opt::Ignored, F::Zenity, nullptr},
    {"--g-fatal-warnings", nullptr, Opt::Ignored, F::Zenity, nullptr},

    {"--msgbox", "TEXT", Opt::Kind, F::Kdialog, "an OK box with the information icon"},
    {"--sorry", "TEXT", Opt::Kind, F::Kdialog, "an OK box with the warning icon"},
    {"--detailedsorry", "TEXT DETAILS", Opt::Kind, F::Kdialog, "the same, with details shown on request"},
    {"--detailederror", "TEXT DETAILS", Opt::Kind, F::Kdialog, "an OK box with the error icon and details"},
    {"--yesno", "TEXT", Opt::Kind, F::Kdialog, "a Yes/No box"},
    {"--yesnocancel", "TEXT", Opt::Kind, F::Kdialog, "a Yes/No/Cancel box"},
    {"--warningyesno", "TEXT", Opt::Kind, F::Kdialog, "a Yes/No box with the warning icon, No the default"},
    {"--warningcontinuecancel", "TEXT", Opt::Kind, F::Kdialog, "a Continue/Cancel box with the warning icon"},
    {"--warningyesnocancel", "TEXT", Opt::Kind, F::Kdialog, "a Yes/No/Cancel box with the warning icon"},
    {"--yes-label", "TEXT", Opt::YesLabel, F::Kdialog, "the caption of Yes"},
    {"--no-label", "TEXT", Opt::NoLabel, F::Kdialog, "the caption of No"},
    {"--continue-label", "TEXT", Opt::ContinueLabel, F::Kdialog, "the caption of Continue"},
    {"--dontagain", "FILE:KEY", Opt::DontAgain, F::Kdialog,
     "offer \"Do not ask again\" and keep the answer as kdialog does,\nin KEY of ~/.config/FILE"},
    {"--caption", "TEXT", Opt::Title, F::Kdialog, nullptr},
    {"--geometry", "GEOMETRY", Opt::Ignored, F::Kdialog, nullptr},

    // The tools' other dialogs: refused, each in one line.
    {"--entry", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--list", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--file-selection", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--progress", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--forms", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--calendar", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--text-info", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--scale", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--color-selection", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--password", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--notification", nullptr, Opt::OtherKind, F::Zenity, nullptr},
    {"--inputbox", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--imgbox", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--imginputbox", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--newpassword", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--textbox", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--textinputbox", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--combobox", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--menu", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--checklist", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--radiolist", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--passivepopup", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--getopenfilename", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--getsavefilename", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--getexistingdirectory", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--getopenurl", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--getsaveurl", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--geticon", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--progressbar", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--getcolor", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
    {"--slider", nullptr, Opt::OtherKind, F::Kdialog, nullptr},
};

constexpr int32_t kYesNo = rt::ButtonYes | rt::ButtonNo;
constexpr int32_t kYesNoCancel = kYesNo | rt::ButtonCancel;

// kdialog shows one box of several it is given: the first of these it has.
const DialogKind kKinds[] = {
    {"--info", ExitScheme::Zenity, rt::ButtonOk, &rt::IconAsterisk, "Information", {}, 0, "All updates are complete."},
    {"--warning",
     ExitScheme::Zenity,
     rt::ButtonOk,
     &rt::IconExclamation,
     "Warning",
     {},
     0,
     "Are you sure you want to proceed?"},
    {"--error", ExitScheme::Zenity, rt::ButtonOk, &rt::IconHand, "Error", {}, 0, "An error has occurred."},
    {"--question",
     ExitScheme::Zenity,
     kYesNo,
     &rt::IconQuestion,
     "Question",
     {},
     0,
     "Are you sure you want to proceed?"},
    {"--yesno", ExitScheme::Kdialog, kYesNo, &rt::IconQuestion, "Question", {}, 1, ""},
    {"--yesnocancel", ExitScheme::Kdialog, kYesNoCancel, &rt::IconQuestion, "Question", {}, 1, ""},
    {"--warningyesno", ExitScheme::Kdialog, kYesNo, &rt::IconExclamation, "Warning", {}, 1, ""},
    {"--warningcontinuecancel",
     ExitScheme::Kdialog,
     kYesNo,
     &rt::IconExclamation,
     "Warning",
     {"&Continue", "Cancel"},
     1,
     ""},
    {"--warningyesnocancel", ExitScheme::Kdialog, kYesNoCancel, &rt::IconExclamation, "Warning", {}, 1, ""},
    {"--sorry", ExitScheme::Kdialog, rt::ButtonOk, &rt::IconExclamation, "Sorry", {}, 1, ""},
    {"--detailedsorry", ExitScheme::Kdialog, rt::ButtonOk, &rt::IconExclamation, "Sorry", {}, 2, ""},
    {"--error", ExitScheme::Kdialog, rt::ButtonOk, &rt::IconHand, "Error", {}, 1, ""},
    {"--detailederror", ExitScheme::Kdialog, rt::ButtonOk, &rt::IconHand, "Error", {}, 2, ""},
    {"--msgbox", ExitScheme::Kdialog, rt::ButtonOk, &rt::IconAsterisk, "Information", {}, 1, ""},
};

constexpr NamedSet kButtonSets[] = {
    {"ok", rt::ButtonOk},
    {"okcancel", rt::ButtonOk | rt::ButtonCancel},
    {"yesno", rt::ButtonYes | rt::ButtonNo},
    {"yesnocancel", rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel},
    {"abortretryignore", rt::ButtonAbort | rt::ButtonRetry | rt::ButtonIgnore},
    {"retrycancel", rt::ButtonRetry | rt::ButtonCancel},
};

const NamedIcon kIcons[] = {
    {"none", &rt::IconNone},
    {"error", &rt::IconHand},
    {"question", &rt::IconQuestion},
    {"warning", &rt::IconExclamation},
    {"information", &rt::IconAsterisk},
    {"dialog-error", &rt::IconHand},
    {"dialog-question", &rt::IconQuestion},
    {"dialog-warning", &rt::IconExclamation},
    {"dialog-information", &rt::IconAsterisk},
};

}  // namespace

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string ButtonNames(const std::vector<rt::BoxButton>& buttons) {
  std::string names;
  for (const rt::BoxButton& b : buttons) names += (names.empty() ? "" : ", ") + Lower(b.name);
  return names;
}

std::span<const OptionDef> CommandOptions() { return kOptions; }

const OptionDef* FindOption(std::string_view name) {
  for (const OptionDef& o : kOptions)
    if (name == o.name) return &o;
  return nullptr;
}

const char* OptionName(Opt id) {
  for (const OptionDef& o : kOptions)
    if (o.id == id) return o.name;
  return "";
}

std::span<const DialogKind> DialogKinds() { return kKinds; }

const DialogKind* FindDialogKind(std::string_view option) {
  const auto kind =
      std::find_if(std::begin(kKinds), std::end(kKinds), [&](const DialogKind& k) { return option == k.option; });
  return kind == std::end(kKinds) ? nullptr : &*kind;
}

std::span<const NamedSet> ButtonSetNames() { return kButtonSets; }

std::span<const NamedIcon> IconNames() { return kIcons; }

}  // namespace quibra
