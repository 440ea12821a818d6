#pragma once
// The command line's options, in one table that the parser, the help and the
// writer of command lines all read: the program's own options, and the
// message-box options of the desktop dialog tools zenity and kdialog, which
// scripts written for those tools pass unchanged.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "composer/ExitStatus.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"

namespace quibra {

enum class Opt : uint8_t {
  // The program's own.
  Text,
  Title,
  Buttons,
  Icon,
  Default,
  SystemModal,
  Style,
  Timeout,
  Print,
  Help,
  Version,
  // Where the box is drawn.
  Terminal,
  // zenity's message options and its general ones.
  Width,
  Height,
  OkLabel,
  CancelLabel,
  ExtraButton,
  NoWrap,
  NoMarkup,
  Ellipsize,
  IconName,
  WindowIcon,
  DefaultCancel,
  Switch,
  Modal,
  Attach,
  Display,
  Ignored,  // accepted and without effect here (a toolkit's own options)
  // kdialog's.
  YesLabel,
  NoLabel,
  ContinueLabel,
  DontAgain,
  // A dialog kind (DialogKind below).
  Kind,
  // A dialog kind of the tools that is no message box.
  OtherKind,
};

// Whose option it is, for the help.
enum class OptionFamily : uint8_t { Own, Drawer, Zenity, Kdialog };

struct OptionDef {
  const char* name;
  const char* value;  // what its value is called in the help; null: it takes none
  Opt id;
  OptionFamily family;
  const char* help;  // '\n' starts a line of its own; null: not listed (a kind or an ignored option)
};

// Every option, in the order the help lists them.
std::span<const OptionDef> CommandOptions();
// The option of that name ("--title"), or null.
const OptionDef* FindOption(std::string_view name);
const char* OptionName(Opt id);

// A message box kind of the dialog tools: what it shows when no other option
// says otherwise, and whose exit statuses it ends with.
struct DialogKind {
  const char* option;  // "--info"
  ExitScheme exits;
  int32_t set;
  const std::string* icon;
  const char* title;
  // The captions of its first and second buttons where they are not the
  // set's own: kdialog's Continue/Cancel box is a Yes/No box so captioned,
  // as kdialog's is (its Cancel answers as No does, and Escape as Cancel).
  const char* captions[2];
  int32_t values;    // how many values follow it: kdialog's text, and the details
  const char* text;  // the text where none is given (zenity's)
};
std::span<const DialogKind> DialogKinds();
const DialogKind* FindDialogKind(std::string_view option);

struct NamedSet {
  const char* name;
  int32_t set;
};
std::span<const NamedSet> ButtonSetNames();

struct NamedIcon {
  const char* name;
  const std::string* code;
};
// Our names, then the desktop's (freedesktop) names of the same icons.
std::span<const NamedIcon> IconNames();

// A time-out longer than a day is surely a mistake, and keeps the countdown's
// milliseconds well inside 32 bits.
constexpr int32_t kMostSeconds = 86400;

// ASCII lower case, as option values are compared.
std::string Lower(std::string_view text);

// The buttons' names as options take them: "yes, no".
std::string ButtonNames(const std::vector<rt::BoxButton>& buttons);

}  // namespace quibra
