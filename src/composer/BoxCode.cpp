#include "composer/BoxCode.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "composer/NativeMessageHook.h"
#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/Text.h"

namespace quibra {
namespace {

constexpr MessageBoxFlagName kFlagNames[] = {
    {"MB_OK", os::MB_OK, os::MB_TYPEMASK},
    {"MB_OKCANCEL", os::MB_OKCANCEL, os::MB_TYPEMASK},
    {"MB_ABORTRETRYIGNORE", os::MB_ABORTRETRYIGNORE, os::MB_TYPEMASK},
    {"MB_YESNOCANCEL", os::MB_YESNOCANCEL, os::MB_TYPEMASK},
    {"MB_YESNO", os::MB_YESNO, os::MB_TYPEMASK},
    {"MB_RETRYCANCEL", os::MB_RETRYCANCEL, os::MB_TYPEMASK},
    {"MB_ICONERROR", os::MB_ICONHAND, os::MB_ICONMASK},
    {"MB_ICONQUESTION", os::MB_ICONQUESTION, os::MB_ICONMASK},
    {"MB_ICONWARNING", os::MB_ICONEXCLAMATION, os::MB_ICONMASK},
    {"MB_ICONINFORMATION", os::MB_ICONASTERISK, os::MB_ICONMASK},
    {"MB_DEFBUTTON1", os::MB_DEFBUTTON1, os::MB_DEFMASK},
    {"MB_DEFBUTTON2", os::MB_DEFBUTTON2, os::MB_DEFMASK},
    {"MB_DEFBUTTON3", os::MB_DEFBUTTON3, os::MB_DEFMASK},
    {"MB_SYSTEMMODAL", os::MB_SYSTEMMODAL, os::MB_SYSTEMMODAL},
};

// How a desktop dialog tool shows one button set with one icon.
struct ToolForm {
  int32_t set;
  const std::string* icon;
  const char* options;  // after the tool's name; kdialog's last one takes the text
  const char* exits;    // the exit status of each answer
  bool secondDefault;   // the tool can make the second button the default
};

constexpr int32_t kOkCancel = rt::ButtonOk | rt::ButtonCancel;
constexpr int32_t kYesNo = rt::ButtonYes | rt::ButtonNo;
constexpr int32_t kYesNoCancel = rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel;
constexpr int32_t kRetryCancel = rt::ButtonRetry | rt::ButtonCancel;

// zenity's message dialogs: one button with its own icon, or two on the
// question dialog, which answers 0 for its first and 1 for its second (and
// for Escape). --no-markup shows the text as it is: no Pango markup and no
// backslash escapes.
const ToolForm kZenityForms[] = {
    {rt::ButtonOk, &rt::IconAsterisk, "--info", "0 OK", false},
    {rt::ButtonOk, &rt::IconExclamation, "--warning", "0 OK", false},
    {rt::ButtonOk, &rt::IconHand, "--error", "0 OK", false},
    {kYesNo, &rt::IconQuestion, "--question", "0 Yes, 1 No", true},
    {kOkCancel, &rt::IconQuestion, "--question --ok-label=OK --cancel-label=Cancel", "0 OK, 1 Cancel", true},
    {kRetryCancel, &rt::IconQuestion, "--question --ok-label=Retry --cancel-label=Cancel", "0 Retry, 1 Cancel", true},
};

// kdialog's message boxes answer 0 for OK, Yes and Continue, 1 for No and 2
// for Cancel, and always make their first button the default.
const ToolForm kKdialogForms[] = {
    {rt::ButtonOk, &rt::IconAsterisk, "--msgbox", "0 OK", false},
    {rt::ButtonOk, &rt::IconExclamation, "--sorry", "0 OK", false},
    {rt::ButtonOk, &rt::IconHand, "--error", "0 OK", false},
    {kYesNo, &rt::IconQuestion, "--yesno", "0 Yes, 1 No", false},
    {kYesNo, &rt::IconExclamation, "--warningyesno", "0 Yes, 1 No", false},
    {kYesNoCancel, &rt::IconQuestion, "--yesnocancel", "0 Yes, 1 No, 2 Cancel", false},
    {kYesNoCancel, &rt::IconExclamation, "--warningyesnocancel", "0 Yes, 1 No, 2 Cancel", false},
    {kOkCancel, &rt::IconExclamation, "--continue-label OK --warningcontinuecancel", "0 OK, 2 Cancel", false},
    {kRetryCancel, &rt::IconExclamation, "--continue-label Retry --warningcontinuecancel", "0 Retry, 2 Cancel", false},
};

bool Plain(std::string_view text, std::string_view punctuation) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [&](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || punctuation.find(c) != std::string_view::npos;
  });
}

std::string Caption(const rt::BoxButton& b) {
  std::string caption = b.caption;
  std::erase(caption, '&');
  return caption;
}

// "Yes, No and Cancel"
std::string Listed(const std::vector<rt::BoxButton>& buttons) {
  std::string list;
  for (std::size_t i = 0; i < buttons.size(); ++i)
    list += (i == 0 ? "" : i + 1 == buttons.size() ? " and " : ", ") + Caption(buttons[i]);
  return list;
}

std::string ButtonsPhrase(const std::vector<rt::BoxButton>& buttons) {
  return buttons.size() == 1 ? "an " + Listed(buttons) + " button" : Listed(buttons) + " buttons";
}

BoxCode CCall(const rt::BoxRequest& box, BoxStyle style) {
  // The flags as the hook asks for them: an omitted icon or button set
  // arrives empty, which is no icon and OK.
  rt::BoxRequest native;
  native.icon = box.iconOmitted ? std::string() : box.icon;
  native.buttons = box.buttonsOmitted ? 0 : box.buttons;
  native.defaultButton = box.defaultButton;
  native.style = box.style;
  const std::string caption = box.captionOmitted ? std::string() : NativeBoxTitle(box.caption);
  // An omitted caption goes as an empty one, as the hook passes it: a null
  // caption would have Windows title the box "Error".
  std::string code = "MessageBoxA(NULL, " + CStringLiteral(NativeBoxText(box.text)) + ", " + CStringLiteral(caption) +
                     ", " + FlagsAsC(rt::NativeFlags(native)) + ");";
  if (style == BoxStyle::Runtime)
    code += " /* The composer draws this box with the runtime's own box; this call has Windows draw it. */";
  return {code, {}};
}

BoxCode CommandLineCode(const rt::BoxRequest& box, BoxStyle style, Shell shell) {
  const BoxArguments arguments = ArgumentsOf(box, style);
  if (!arguments.cannot.empty()) return {{}, arguments.cannot};
  std::string code = shell == Shell::Windows ? "QuibraD.exe" : "quibrad";
  for (const std::string& arg : arguments.args) code += " " + ShellQuoted(arg, shell);
  return {code, {}};
}

BoxCode ToolCode(CodeForm form, const rt::BoxRequest& box, BoxStyle style) {
  const bool zenity = form == CodeForm::Zenity;
  const std::string tool = zenity ? "zenity" : "kdialog";
  // The box as our own command line reads it back: the button set, icon and
  // default as every drawer shows them, the texts without their padding.
  const BoxArguments arguments = ArgumentsOf(box, style);
  if (!arguments.cannot.empty()) return {{}, arguments.cannot};
  const ParsedCommandLine parsed = ParseCommandLine(arguments.args);
  if (!parsed.Ok()) return {{}, parsed.error};
  const rt::BoxRequest& drawn = parsed.line.request;
  const std::vector<rt::BoxButton> buttons = rt::ButtonsOf(drawn.buttons);
  const std::size_t place = rt::DefaultPlace(buttons, drawn.defaultButton);

  if (drawn.style != 0) return {{}, tool + " cannot show a system-modal box"};
  const std::span<const ToolForm> forms = zenity ? std::span<const ToolForm>(kZenityForms) : kKdialogForms;
  const auto withSet = [&](const ToolForm& f) { return f.set == drawn.buttons; };
  if (std::none_of(forms.begin(), forms.end(), withSet)) {
    if (zenity && buttons.size() > 2)
      return {{}, "zenity tells only two answers apart by its exit status, and " + Listed(buttons) + " are three"};
    return {{}, tool + " cannot show " + Listed(buttons) + " buttons"};
  }
  const auto row =
      std::find_if(forms.begin(), forms.end(), [&](const ToolForm& f) { return withSet(f) && *f.icon == drawn.icon; });
  if (row == forms.end()) {
    const std::string icon = rt::IconName(drawn.icon);
    return {{},
            tool + " cannot show " + ButtonsPhrase(buttons) + " with " +
                (icon.empty() ? "no icon" : "the " + icon + " icon")};
  }
  if (place > (row->secondDefault ? 1u : 0u))
    return {{}, tool + " cannot make " + Caption(buttons[place]) + " the default button"};

  std::string text;
  const std::vector<std::string> lines = rt::SplitBoxText(drawn.text);
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\n") + lines[i];
  std::string code = tool;
  if (zenity) {
    code += std::string(" ") + row->options + (place == 1 ? " --default-cancel" : "");
    // An untitled box stays untitled: without --title the tool would name it.
    code += " --title=" + ShellQuoted(drawn.caption, Shell::Posix);
    code += " --no-markup --text=" + ShellQuoted(text, Shell::Posix);
  } else {
    // kdialog reads a text whose first line holds a tag as rich text.
    if (text.substr(0, text.find('\n')).find('<') != std::string::npos)
      return {{}, "kdialog would show this text as rich text, since its first line has a '<'"};
    // kdialog turns "\n" into a line end and "\\" into one backslash.
    std::string escaped;
    for (char c : text) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    code += " --title " + ShellQuoted(drawn.caption, Shell::Posix);
    code += std::string(" ") + row->options + " " + ShellQuoted(escaped, Shell::Posix);
  }
  return {code + "  # exit status: " + row->exits, {}};
}

}  // namespace

BoxCode CodeOf(CodeForm form, const rt::BoxRequest& box, BoxStyle style, Shell shell) {
  switch (form) {
    case CodeForm::CommandLine:
      return CommandLineCode(box, style, shell);
    case CodeForm::CCall:
      return CCall(box, style);
    case CodeForm::Zenity:
    case CodeForm::Kdialog:
      return ToolCode(form, box, style);
  }
  return {{}, "no such form of code"};
}

std::string ShellQuoted(std::string_view argument, Shell shell) {
  if (shell == Shell::Posix) {
    if (Plain(argument, "_@%+=:,./-")) return std::string(argument);
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
  }
  // The C runtime splits at blanks outside double quotes; inside them a run
  // of backslashes is literal unless a quote follows it, when it is halved
  // and an odd one out escapes the quote. cmd's & | < > ^ ( ) % ! are quoted
  // too.
  if (Plain(argument, "_@+=:,./-\\")) return std::string(argument);
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::string CStringLiteral(std::string_view bytes) {
  std::string literal = "\"";
  char before = 0;
  for (char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        literal += "\\\\";
        break;
      case '"':
        literal += "\\\"";
        break;
      case '\r':
        literal += "\\r";
        break;
      case '\n':
        literal += "\\n";
        break;
      case '\t':
        literal += "\\t";
        break;
      case '?':
        literal += before == '?' ? "\\?" : "?";
        break;
      default:
        if (u < 0x20 || u >= 0x7F) {
          // Always three digits, so that a digit after it cannot join it.
          literal += '\\';
          literal += static_cast<char>('0' + (u >> 6));
          literal += static_cast<char>('0' + ((u >> 3) & 7));
          literal += static_cast<char>('0' + (u & 7));
        } else {
          literal += c;
        }
    }
    before = c;
  }
  return literal + "\"";
}

std::span<const MessageBoxFlagName> MessageBoxFlagNames() { return kFlagNames; }

std::string FlagsAsC(uint32_t flags) {
  std::string spelled;
  uint32_t named = 0;
  for (const MessageBoxFlagName& f : kFlagNames) {
    if ((flags & f.mask) != f.value) continue;
    named |= f.mask;
    if (f.value != 0) spelled += (spelled.empty() ? "" : " | ") + std::string(f.name);
  }
  // Bits no name stands for are written as a number, so that nothing is lost.
  if (const uint32_t rest = flags & ~named) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(rest));
    spelled += (spelled.empty() ? "" : " | ") + std::string(hex);
  }
  return spelled.empty() ? kFlagNames[0].name : spelled;
}

}  // namespace quibra
