#pragma once
// "Copy as code": a composed box written as code that shows the same box
// elsewhere: our own program's command line, a MessageBoxA call in C, or the
// zenity or kdialog command of a shell script. Pure functions: they read the
// request and nothing else, so each form can be tested as a round trip.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "composer/CommandLine.h"
#include "runtime/MessageBox.h"

namespace quibra {

enum class CodeForm : uint8_t { CommandLine, CCall, Zenity, Kdialog };

// Whose quoting a command line follows: a POSIX shell's (the program is
// `quibrad`), or the one the Microsoft C runtime undoes when it splits a
// Windows command line into arguments (the program is `QuibraD.exe`). cmd.exe
// reads a line before the program does: it expands %NAME% even inside
// quotes, and a text holding a '"' can leave a later & | < > ^ outside cmd's
// own quotes, so such a text typed at a cmd prompt may need cmd's escapes too.
enum class Shell : uint8_t { Posix, Windows };

// Exactly one of the two is non-empty: the code, or one sentence saying why
// this form cannot show the box ("zenity cannot show a system-modal box").
struct BoxCode {
  std::string code;
  std::string cannot;
  bool Ok() const { return cannot.empty(); }
};

// The box `box` drawn in `style`, written in `form`. The shell counts only
// for the command line; zenity and kdialog are written for a POSIX shell.
BoxCode CodeOf(CodeForm form, const rt::BoxRequest& box, BoxStyle style, Shell shell = Shell::Posix);

// One argument as `shell` has it typed so that the program receives it
// unchanged; plain words stay bare.
std::string ShellQuoted(std::string_view argument, Shell shell);

// Bytes as a C string literal with its quotes; control bytes and bytes above
// 127 as three-digit octal escapes, a '?' after a '?' escaped against
// trigraphs.
std::string CStringLiteral(std::string_view bytes);

// The names of the MessageBoxA flags the native box uses, each with its value
// and the mask of the part it belongs to (its type, icon, default button or
// modality). A zero value is the part's default and is never written.
struct MessageBoxFlagName {
  const char* name;
  uint32_t value;
  uint32_t mask;
};
std::span<const MessageBoxFlagName> MessageBoxFlagNames();

// Flags spelled as the names above joined with " | " ("MB_YESNO |
// MB_ICONQUESTION"); "MB_OK" when every part is its default.
std::string FlagsAsC(uint32_t flags);

}  // namespace quibra
