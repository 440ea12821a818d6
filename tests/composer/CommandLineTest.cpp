// The command line: every option and every mistake as tables, the help and
// the exit-status table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "composer/CommandLine.h"
#include "composer/ExitStatus.h"
#include "composer/ToolTexts.h"
#include "runtime/BoxRules.h"

namespace {

using quibra::BoxStyle;
using quibra::CommandAction;
using quibra::CommandLine;
using quibra::ExitScheme;
using quibra::ParseCommandLine;
using Args = std::vector<std::string>;

// A parsed command line as what it changes from a plain OK box with no text,
// title or icon ("title=Hi buttons=6 default=2"), so that each case of the
// table below states only what it is about.
std::string Describe(const quibra::ParsedCommandLine& parsed) {
  const CommandLine& l = parsed.line;
  if (!parsed.Ok()) return "error: " + parsed.error;
  if (l.action == CommandAction::Composer) return l.terminal ? "composer terminal" : "composer";
  if (l.action != CommandAction::ShowBox) return l.action == CommandAction::Help ? "help" : "version";
  std::ostringstream d;
  if (l.textFromInput) d << " text=<input>";
  if (!l.request.text.empty()) d << " text=" << l.request.text;
  if (!l.request.captionOmitted) d << " title=" << l.request.caption;
  if (l.request.icon != rt::IconNone) d << " icon=" << rt::IconName(l.request.icon);
  if (l.request.buttons != rt::ButtonOk) d << " buttons=" << l.request.buttons;
  if (l.request.defaultButton != 0) d << " default=" << l.request.defaultButton;
  if (l.request.style != 0) d << " system-modal";
  if (l.style == BoxStyle::Runtime) d << " runtime";
  if (l.exits == ExitScheme::Zenity) d << " zenity-exits";
  if (l.exits == ExitScheme::Kdialog) d << " kdialog-exits";
  if (l.request.timeout != 0) d << " timeout=" << l.request.timeout;
  if (l.print) d << " print";
  if (l.terminal) d << " terminal";
  return d.str().empty() ? "" : d.str().substr(1);
}

struct ParseCase {
  const char* label;
  Args args;
  const char* parsed;
};

TEST(CommandLineParse, EachOptionSetsItsPartOfTheBox) {
  const ParseCase cases[] = {
      {"nothing but a text", {"Hello|World"}, "text=Hello|World"},
      {"--text with a dash", {"--text", "-x"}, "text=-x"},
      {"--text= splits at the first =", {"--text=a=b"}, "text=a=b"},
      {"a text after -- may start with a dash", {"--", "--info"}, "text=--info"},
      {"a lone dash reads standard input", {"-"}, "text=<input>"},
      {"--text - reads standard input", {"--text", "-"}, "text=<input>"},
      {"--title", {"--title", "Hi there"}, "title=Hi there"},
      {"--terminal draws in the terminal", {"--terminal", "Hi"}, "text=Hi terminal"},
      {"--terminal alone starts the composer in the terminal", {"--terminal"}, "composer terminal"},
      {"--terminal with nothing but a title is a box", {"--terminal", "--title", "T"}, "title=T terminal"},
      {"--terminal with a kdialog box",
       {"--terminal", "--yesno", "Go?"},
       "text=Go? title=Question icon=Question buttons=6 kdialog-exits terminal"},
      {"--title= with an empty title is still a title", {"--title="}, "title="},
      {"--buttons okcancel", {"--buttons", "okcancel"}, "buttons=65"},
      {"--buttons yesno in capitals", {"--buttons=YesNo"}, "buttons=6"},
      {"--buttons yesnocancel", {"--buttons", "yesnocancel"}, "buttons=70"},
      {"--buttons abortretryignore", {"--buttons", "abortretryignore"}, "buttons=56"},
      {"--buttons retrycancel", {"--buttons", "retrycancel"}, "buttons=80"},
      {"--buttons by number", {"--buttons", "70"}, "buttons=70"},
      {"--icon error", {"--icon", "error"}, "icon=Error"},
      {"--icon question", {"--icon", "question"}, "icon=Question"},
      {"--icon warning", {"--icon", "warning"}, "icon=Warning"},
      {"--icon information", {"--icon", "information"}, "icon=Information"},
      {"--icon none after another", {"--icon", "error", "--icon", "none"}, ""},
      {"--default 1 is the first place", {"--buttons", "yesno", "--default", "1"}, "buttons=6"},
      {"--default 2 is the second place", {"--buttons", "yesno", "--default", "2"}, "buttons=6 default=2"},
      {"--default yes is a place, not YES's value 2", {"--buttons", "yesno", "--default", "YES"}, "buttons=6"},
      {"--default no", {"--buttons", "yesno", "--default", "no"}, "buttons=6 default=2"},
      {"--default cancel, third", {"--buttons", "yesnocancel", "--default", "cancel"}, "buttons=70 default=3"},
      {"--default before --buttons", {"--default", "cancel", "--buttons", "okcancel"}, "buttons=65 default=2"},
      {"--system-modal", {"--system-modal"}, "system-modal"},
      {"--style runtime", {"--style", "runtime"}, "runtime"},
      {"--style native, the last style", {"--style=runtime", "--style=native"}, ""},
      {"--print", {"--print"}, "print"},
      {"--timeout", {"--timeout", "5"}, "timeout=5"},
      {"--timeout= at its highest", {"--timeout=86400"}, "timeout=86400"},
      {"--info", {"--info"}, "text=All updates are complete. title=Information icon=Information zenity-exits"},
      {"--warning", {"--warning", "x"}, "text=x title=Warning icon=Warning zenity-exits"},
      {"--error", {"--error", "--text", "x"}, "text=x title=Error icon=Error zenity-exits"},
      {"--question", {"--question", "--text=x"}, "text=x title=Question icon=Question buttons=6 zenity-exits"},
      {"a form keeps --buttons, --icon and --title in any order",
       {"--buttons", "okcancel", "--icon", "none", "--question", "--title", "T", "--text", "x"},
       "text=x title=T buttons=65 zenity-exits"},
      {"--help wins over what follows", {"--text", "x", "--help", "--bogus"}, "help"},
      {"--version wins over what follows", {"--version", "--buttons", "nine"}, "version"},
  };
  for (const ParseCase& c : cases) EXPECT_EQ(Describe(ParseCommandLine(c.args)), c.parsed) << c.label;
}

struct BadCase {
  const char* label;
  Args args;
  const char* error;
};

TEST(CommandLineParse, EachMistakeIsNamedInOneLine) {
  const BadCase cases[] = {
      {"an unknown option", {"--colour", "red"}, "unknown option \"--colour\" (see --help)"},
      {"an unknown short option", {"-x"}, "unknown option \"-x\" (see --help)"},
      {"an unknown option with a value", {"--size=3"}, "unknown option \"--size\" (see --help)"},
      {"a missing value", {"--title"}, "option --title needs a value (TEXT)"},
      {"a value for a flag", {"--print=yes"}, "option --print takes no value"},
      {"an unknown button set",
       {"--buttons", "yesmaybe"},
       "unknown button set \"yesmaybe\" (ok, okcancel, yesno, yesnocancel, abortretryignore, retrycancel)"},
      {"an unknown icon", {"--icon", "stop"}, "unknown icon \"stop\" (none, error, question, warning, information)"},
      {"an unknown style", {"--style", "fancy"}, "unknown style \"fancy\" (native, runtime)"},
      {"a default out of 1-3",
       {"--buttons", "yesno", "--default", "4"},
       "bad default button \"4\" (a place 1-3, or a button's name: yes, no)"},
      {"a default that names nothing",
       {"--question", "--default", "maybe"},
       "bad default button \"maybe\" (a place 1-3, or a button's name: yes, no)"},
      {"a default button the set lacks",
       {"--buttons", "yesno", "--default", "retry"},
       "the button set yesno has no button \"retry\" (yes, no)"},
      {"a default place the set lacks",
       {"--buttons", "yesno", "--default", "3"},
       "the button set yesno has no button 3 (yes, no)"},
      {"a default for the OK box of --info", {"--info", "--default", "2"}, "the button set ok has no button 2 (ok)"},
      {"a negative time-out", {"--timeout", "-5"}, "bad time-out \"-5\" (a whole number of seconds, 1 to 86400)"},
      {"a time-out of 0", {"--timeout=0"}, "bad time-out \"0\" (a whole number of seconds, 1 to 86400)"},
      {"a time-out over a day", {"--timeout=86401"}, "bad time-out \"86401\" (a whole number of seconds, 1 to 86400)"},
      {"a time-out in minutes", {"--timeout", "5m"}, "bad time-out \"5m\" (a whole number of seconds, 1 to 86400)"},
      {"a missing time-out", {"--timeout"}, "option --timeout needs a value (SECONDS)"},
      {"two texts", {"--title", "My", "Title", "Here"}, "the text is given twice (\"Title\" and \"Here\")"},
      {"a mistake before --help", {"--bogus", "--help"}, "unknown option \"--bogus\" (see --help)"},
      {"two dialog kinds", {"--error", "--info"}, "Two or more dialog options specified (--error and --info)"},
      {"a dialog that is no message box",
       {"--entry", "--text", "Name?"},
       "--entry is not a message box: this program shows message boxes only"},
      {"kdialog's text is its kind's value", {"--yesno"}, "option --yesno needs a value (TEXT)"},
      {"and its details the next one",
       {"--detailederror", "Failed"},
       "option --detailederror needs a value (TEXT DETAILS)"},
      {"DEL is escaped like the other control characters",
       {"--style", "a\x7f"},
       "unknown style \"a\\x7f\" (native, runtime)"},
      {"a width in words", {"--width", "wide"}, "bad width \"wide\" (a whole number of pixels)"},
      // What the user gave is shown escaped, so that the message stays one
      // line and a control character cannot act on the terminal.
      {"a line break in a quoted value",
       {"--icon", "stop\nnow"},
       "unknown icon \"stop\\nnow\" (none, error, question, warning, information)"},
      {"a carriage return and a tab", {"a\r", "b\t"}, "the text is given twice (\"a\\r\" and \"b\\t\")"},
      {"an escape character", {"--style", "\x1b[2J"}, "unknown style \"\\x1b[2J\" (native, runtime)"},
      {"a Windows path stays as typed",
       {"--icon", "C:\\x.ico"},
       "unknown icon \"C:\\x.ico\" (none, error, question, warning, information)"},
      {"letters of other scripts stay", {"--style", "épais"}, "unknown style \"épais\" (native, runtime)"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ParseCommandLine(c.args).error, c.error);
  }
}

TEST(CommandLineText, ProgramNameDropsTheFolderAndExe) {
  const std::pair<const char*, const char*> cases[] = {{"/usr/bin/quibrad", "quibrad"},
                                                       {"C:\\Apps\\QuibraD.EXE", "QuibraD"},
                                                       {"./x.exe.bak", "x.exe.bak"},
                                                       {"", "quibrad"}};
  for (const auto& [argv0, name] : cases) EXPECT_EQ(quibra::ProgramName(argv0), name) << argv0;
}

TEST(CommandLineText, HelpListsEveryChoiceAndEveryExitStatusRow) {
  const std::string help = quibra::UsageText("quibrad");
  EXPECT_EQ(help.rfind("Usage: quibrad [OPTION]... [TEXT]\n", 0), 0u);
  for (const char* word :
       {"abortretryignore", "retrycancel", "information", "--system-modal", "--question", "runtime", "--extra-button",
        "--warningcontinuecancel", "--dontagain FILE:KEY", "Where the box is drawn:\n  --terminal "})
    EXPECT_NE(help.find(word), std::string::npos) << word;
  // Each row of the exit-status table: its meaning, then its three codes.
  for (const quibra::ExitStatusRow& row : quibra::ExitStatusTable()) {
    const std::size_t at = help.find("\n  " + std::string(row.meaning) + " ");
    ASSERT_NE(at, std::string::npos) << row.meaning;
    const std::size_t codesAt = at + 3 + std::string(row.meaning).size();
    std::istringstream codes(help.substr(codesAt, help.find('\n', codesAt) - codesAt));
    int32_t own = -1, zenity = -1, kdialog = -1;
    codes >> own >> zenity >> kdialog;
    EXPECT_EQ(std::vector<int32_t>({own, zenity, kdialog}), std::vector<int32_t>({row.native, row.zenity, row.kdialog}))
        << row.meaning;
  }
  // The table's numbers stand right-aligned under their headings: every row
  // ends where the heading line does.
  std::istringstream table(help.substr(help.find("\nExit status") + 1));
  std::string heading, row;
  std::getline(table, heading);
  EXPECT_EQ(heading.substr(heading.size() - 22), "  own  zenity  kdialog") << heading;
  int rows = 0;
  for (; std::getline(table, row) && !row.empty(); ++rows) EXPECT_EQ(row.size(), heading.size()) << row;
  EXPECT_EQ(rows, static_cast<int>(quibra::ExitStatusTable().size()));
  // "quibrad 1.2.3\n": three numbers, each of digits.
  const std::string version = quibra::VersionText("quibrad");
  ASSERT_EQ(version.rfind("quibrad ", 0), 0u);
  ASSERT_EQ(version.back(), '\n');
  std::istringstream numbers(version.substr(8, version.size() - 9));
  std::vector<std::string> parts;
  for (std::string part; std::getline(numbers, part, '.');) parts.push_back(part);
  ASSERT_EQ(parts.size(), 3u) << version;
  for (const std::string& part : parts)
    EXPECT_TRUE(!part.empty() && std::all_of(part.begin(), part.end(), [](char c) { return std::isdigit(c) != 0; }))
        << version;
}

TEST(ExitStatus, EachAnswerHasTheDocumentedCodeAndNoBoxLooksLikeAnAnswer) {
  // {pressed, own code, zenity's, kdialog's}; the last three give no answer.
  const int32_t cases[][4] = {{rt::ButtonOk, 0, 0, 0},
                              {rt::ButtonCancel, 1, 1, 2},
                              {rt::ButtonAbort, 2, 1, 2},
                              {rt::ButtonRetry, 3, 1, 2},
                              {rt::ButtonIgnore, 4, 1, 2},
                              {rt::ButtonYes, 5, 0, 0},
                              {rt::ButtonNo, 6, 1, 1},
                              {rt::BoxTimedOut, 7, 5, 5},
                              {rt::kFirstExtraButton, 8, 1, 1},
                              {rt::kFirstExtraButton + 3, 8, 1, 1},
                              {quibra::kNotShownAgainRow, 0, 0, 1},
                              {0, 69, 69, 69},
                              {rt::ButtonHelp, 69, 69, 69},
                              {-1, 69, 69, 69}};
  for (const auto& [pressed, own, zenity, kdialog] : cases) {
    EXPECT_EQ(quibra::ExitStatusOf(pressed, ExitScheme::Native), own) << pressed;
    EXPECT_EQ(quibra::ExitStatusOf(pressed, ExitScheme::Zenity), zenity) << pressed;
    EXPECT_EQ(quibra::ExitStatusOf(pressed, ExitScheme::Kdialog), kdialog) << pressed;
  }
  EXPECT_EQ(quibra::ExitStatusOf(quibra::kNotShownAgainRow, ExitScheme::Kdialog), 1);
  EXPECT_EQ(quibra::ExitStatusOf(quibra::kNotShownAgainRow, ExitScheme::Zenity), 0);
  // A wrong command line ends as each tool's does: zenity 255, kdialog 1.
  EXPECT_EQ(quibra::UsageStatus(), 64);
  EXPECT_EQ(quibra::UsageStatus(ExitScheme::Zenity), 255);
  EXPECT_EQ(quibra::UsageStatus(ExitScheme::Kdialog), 1);
  // Every meaning has a code of its own in the program's scheme (a message
  // not shown again is as good as its OK), and no answer shares the code of
  // a box that could not be shown in any scheme.
  std::set<int32_t> own;
  for (const quibra::ExitStatusRow& row : quibra::ExitStatusTable()) {
    if (row.button != quibra::kNotShownAgainRow) EXPECT_TRUE(own.insert(row.native).second) << row.meaning;
    if (row.button != quibra::kNoButtonRow)
      EXPECT_TRUE(row.native != 69 && row.zenity != 69 && row.kdialog != 69) << row.meaning;
  }
}

// kdialog shows the box, saying why, where --dontagain cannot say where to
// keep the answer; a file outside the settings folder is taken the same way.
TEST(CommandLineParse, ABadDontAgainIsIgnoredWithAWarning) {
  for (const char* bad : {"file", ":key", "file:", "../x:k", "a/b:k"}) {
    const quibra::ParsedCommandLine parsed = ParseCommandLine({"--dontagain", bad, "--yesno", "Sure?"});
    EXPECT_TRUE(parsed.Ok()) << bad;
    EXPECT_EQ(parsed.line.dontAgain, "") << bad;
    EXPECT_EQ(parsed.line.request.checkBox, "") << bad;
    EXPECT_NE(parsed.warning.find("ignoring --dontagain"), std::string::npos) << bad;
  }
  const quibra::ParsedCommandLine good = ParseCommandLine({"--dontagain", "app:ask", "--yesno", "Sure?"});
  EXPECT_EQ(good.line.dontAgain, "app:ask");
  EXPECT_EQ(good.line.request.checkBox, "Do not ask again");
  EXPECT_EQ(good.warning, "");
}

// The tools' texts and captions as scripts write them for zenity and kdialog.
TEST(ToolTexts, EscapesAndAccessKeysAsEachToolReadsThem) {
  const std::pair<const char*, const char*> zenity[] = {
      {"a\\nb\\tc", "a\nb\tc"}, {"back\\\\slash", "back\\slash"}, {"\\101\\0619", "A19"}, {"\\q is q", "q is q"},
      {"end\\", "end"},         {"\\\"quoted\\\"", "\"quoted\""},
  };
  for (const auto& [written, read] : zenity) EXPECT_EQ(quibra::ZenityEscapes(written), read) << written;
  const std::pair<const char*, const char*> kdialog[] = {
      {"a\\nb", "a\nb"}, {"a\\\\nb", "a\\nb"}, {"tab\\t stays", "tab\\t stays"}};
  for (const auto& [written, read] : kdialog) EXPECT_EQ(quibra::KdialogEscapes(written), read) << written;
  EXPECT_TRUE(quibra::LooksRich("<b>x</b>\nmore"));
  EXPECT_FALSE(quibra::LooksRich("first\n<b>x</b>")) << "only the first line counts";
  const std::pair<const char*, const char*> captions[] = {
      {"_Save", "&Save"}, {"Save__as", "Save_as"}, {"Tom & Jerry", "Tom && Jerry"}, {"end_", "end_"}};
  for (const auto& [label, caption] : captions) EXPECT_EQ(quibra::FromUnderscores(label), caption) << label;
}

}  // namespace
