// "Copy as code": each form read back the way its reader reads it (a real
// /bin/sh, the Microsoft C runtime's argument rules, the Windows compiler's
// <windows.h> under Wine) must show the box that was composed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "composer/BoxCode.h"
#include "composer/CommandLine.h"
#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/BoxRules.h"
#include "runtime/Property.h"
#include "runtime/Text.h"
#include "runtime/Window.h"
#include "support/HeadlessTest.h"
#include "support/TempDir.h"

namespace {

using headless::User;
using quibra::BoxStyle;
using quibra::CodeForm;
using quibra::CodeOf;
using quibra::Shell;

struct Box {
  const char* label;
  rt::BoxRequest request;
};

std::string Padded(std::string text, std::size_t width) { return text.append(width - text.size(), ' '); }

// Boxes that break naive quoting, and the composer's own padded fields.
const Box kBoxes[] = {
    {"composer fields, padded",
     {.text = Padded("Save|changes?", 128),
      .caption = Padded("Editor", 40),
      .icon = Padded(rt::IconNone, 4),
      .buttons = 70,
      .defaultButton = 64,
      .style = 1}},
    {"quotes and shell words",
     {.text = "It's \"$HOME\" `id` $(id) ; & | < > * ~ %PATH% !x ^",
      .caption = "a 'b' \"c\"",
      .icon = rt::IconQuestion,
      .buttons = 6,
      .defaultButton = 4}},
    {"backslashes before quotes and at the end", {.text = "C:\\dir\\ \\\" a\\\\\"b\\\\", .caption = "x\\"}},
    {"a leading dash", {.text = "--help -x", .caption = "-t", .buttons = 56, .defaultButton = 3}},
    {"a lone dash", {.text = "-  ", .icon = rt::IconHand}},
    {"line ends, tabs, high bytes", {.text = "caf\xE9\r\n\tl\xC3\xA9ger\n?\?=\r", .icon = rt::IconAsterisk}},
    {"empty text and blank title", {.text = "", .caption = "   ", .buttons = 65, .defaultButton = 2}},
    {"an omitted title and icon",
     {.text = "t",
      .caption = "ignored",
      .icon = rt::IconHand,
      .buttons = 80,
      .captionOmitted = true,
      .iconOmitted = true}},
    {"an omitted button set", {.text = "t", .buttons = 6, .defaultButton = 2, .buttonsOmitted = true}},
    {"no button set", {.text = "t", .buttons = 0, .style = 7}},
    {"a padded icon code", {.text = "t", .icon = rt::IconHand + "  "}},
    {"the longest time-out", {.text = "t", .buttons = 65, .timeout = 86400}},
    {"longer than the native box keeps", {.text = std::string(505, 'x') + "|\n|" + std::string(20, 'y')}},
};

// The box as the headless backend records its drawing, answered with its
// default button.
headless::BoxRecord Shown(const rt::BoxRequest& request, BoxStyle style) {
  headless::Reset();
  if (style == BoxStyle::Native) {
    rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::FunctionAddressNumber(&quibra::NativeMessageHook));
    User().AnswerNative(1);
  } else {
    User().Run([] { User().AnswerBox(rt::CurrentWindow()->BoxInfo()->defaultValue); });
  }
  rt::ShowBox(request);
  const std::vector<headless::BoxRecord> boxes = headless::Boxes();
  headless::Reset();
  return boxes.size() == 1 ? boxes[0] : headless::BoxRecord{.drawer = "none"};
}

// Every part of a drawn box that a person sees.
std::string Drawn(const rt::BoxRequest& request, BoxStyle style) {
  const headless::BoxRecord b = Shown(request, style);
  std::ostringstream d;
  d << b.drawer << " caption=[" << b.caption << "] buttons=" << b.buttons << " default=" << b.defaultValue
    << " icon=" << rt::IconName(rt::Clip(b.icon)) << " modal=" << (b.style != 0) << " timeout=" << b.timeout
    << " flags=" << b.flags << (b.drawer == "native" ? " text=[" + b.text + "]" : "") << " lines=";
  for (const std::string& line : b.lines) d << "[" << line << "]";
  return d.str();
}

#ifndef _WIN32
// Runs `code` in /bin/sh with `program` standing for a program that prints
// its arguments; returns them.
std::vector<std::string> ArgumentsBySh(const std::string& program, const std::string& code) {
  quibra_test::TempDir dir;
  quibra_test::WriteBytes(dir.File("run.sh"), program + "() { printf '%s\\0' \"$@\"; }\n" + code + "\n");
  std::vector<std::string> args(1);
  FILE* sh = popen(("/bin/sh " + dir.File("run.sh")).c_str(), "r");
  for (int c; sh && (c = std::fgetc(sh)) != EOF;) c ? args.back() += static_cast<char>(c) : args.emplace_back();
  if (sh) pclose(sh);
  args.pop_back();
  return args;
}
#endif

// How the Microsoft C runtime splits a command line after the program's name
// (which has no blanks here).
std::vector<std::string> ArgumentsByMsvcrt(const std::string& line) {
  std::vector<std::string> args;
  std::string arg;
  bool inArg = false, quoted = false;
  for (std::size_t i = line.find(' '); i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\') {
      std::size_t slashes = 0;
      for (; i < line.size() && line[i] == '\\'; ++i) ++slashes;
      const bool quoteFollows = i < line.size() && line[i] == '"';
      arg.append(quoteFollows ? slashes / 2 : slashes, '\\');
      if (quoteFollows && slashes % 2) arg += '"';
      if (quoteFollows && slashes % 2 == 0) quoted = !quoted;
      if (!quoteFollows) --i;
      inArg = true;
    } else if (c == '"') {
      quoted = !quoted;
      inArg = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inArg) args.push_back(arg);
      arg.clear();
      inArg = false;
    } else {
      arg += c;
      inArg = true;
    }
  }
  if (inArg) args.push_back(arg);
  return args;
}

class BoxCodeRoundTrip : public quibra_test::HeadlessTest {};

TEST_F(BoxCodeRoundTrip, EachShellReadsTheCommandLineBackAsTheSameBox) {
  for (const Box& box : kBoxes)
    for (const BoxStyle style : {BoxStyle::Native, BoxStyle::Runtime}) {
      const std::string label = std::string(box.label) + (style == BoxStyle::Native ? ", native" : ", runtime");
      const std::string want = Drawn(box.request, style);
      const quibra::BoxCode posix = CodeOf(CodeForm::CommandLine, box.request, style, Shell::Posix);
      const quibra::BoxCode windows = CodeOf(CodeForm::CommandLine, box.request, style, Shell::Windows);
      ASSERT_TRUE(posix.Ok() && windows.Ok()) << label << ": " << posix.cannot;
      std::vector<std::vector<std::string>> splits = {ArgumentsByMsvcrt(windows.code)};
#ifndef _WIN32  // where there is a /bin/sh
      splits.push_back(ArgumentsBySh("quibrad", posix.code));
#endif
      for (const std::vector<std::string>& args : splits) {
        const quibra::ParsedCommandLine parsed = quibra::ParseCommandLine(args);
        ASSERT_TRUE(parsed.Ok()) << label << ": " << parsed.error << "\n" << posix.code << "\n" << windows.code;
        EXPECT_EQ(parsed.line.style, style) << label;
        EXPECT_FALSE(parsed.line.textFromInput) << label;
        EXPECT_EQ(Drawn(parsed.line.request, style), want) << label << "\n" << posix.code << "\n" << windows.code;
      }
    }
}

TEST_F(BoxCodeRoundTrip, OnlyWhatDiffersFromAPlainBoxIsWritten) {
  EXPECT_EQ(CodeOf(CodeForm::CommandLine, {.text = "Hi"}, BoxStyle::Native).code, "quibrad Hi");
  EXPECT_EQ(
      CodeOf(CodeForm::CommandLine, kBoxes[0].request, BoxStyle::Runtime).code,
      "quibrad --title Editor --buttons yesnocancel --default cancel --system-modal --style runtime 'Save|changes?'");
  EXPECT_EQ(CodeOf(CodeForm::CommandLine, kBoxes[3].request, BoxStyle::Native, Shell::Windows).code,
            "QuibraD.exe --title -t --buttons abortretryignore --default ignore -- \"--help -x\"");
  EXPECT_EQ(CodeOf(CodeForm::CommandLine, {.text = "t", .buttons = 129}, BoxStyle::Runtime).cannot,
            "the command line has no button set 129 (ok, help)");
}

// Each name's value is checked against the real <windows.h> by the C calls'
// test below; here every flag word the native box can get spells back.
TEST(BoxCodeCCall, EveryFlagWordSpellsBackByName) {
  std::map<std::string, uint32_t> values;
  for (const quibra::MessageBoxFlagName& f : quibra::MessageBoxFlagNames()) {
    values[f.name] = f.value;
    EXPECT_EQ(f.value & ~f.mask, 0u) << f.name;
  }
  for (int32_t set : {1, 65, 6, 70, 56, 80, 0, 129})
    for (const std::string* icon :
         {&rt::IconNone, &rt::IconHand, &rt::IconQuestion, &rt::IconExclamation, &rt::IconAsterisk})
      for (int32_t def : {0, 2, 3, 4, 64})
        for (int32_t modal : {0, 1}) {
          const uint32_t flags = rt::NativeFlags({.icon = *icon, .buttons = set, .defaultButton = def, .style = modal});
          const std::string spelled = quibra::FlagsAsC(flags);
          uint32_t back = 0;
          std::istringstream names(spelled);
          for (std::string name; names >> name;)
            if (name != "|") back |= values.at(name);
          EXPECT_EQ(back, flags) << spelled;
          EXPECT_EQ(spelled == "MB_OK", flags == 0) << spelled;
          EXPECT_EQ(spelled.find("MB_DEFBUTTON1"), std::string::npos) << spelled;
        }
  EXPECT_EQ(quibra::FlagsAsC(0x4000 | 0x4 | 0x30), "MB_YESNO | MB_ICONWARNING | 0x4000");
}

TEST(BoxCodeCCall, TextsAreCStringLiterals) {
  EXPECT_EQ(quibra::CStringLiteral("a\"b\\c\r\n\t"), R"("a\"b\\c\r\n\t")");
  EXPECT_EQ(quibra::CStringLiteral("\xE9"
                                   "1\x01"
                                   "2\x7F"),
            R"("\3511\0012\177")");
  EXPECT_EQ(quibra::CStringLiteral("?\?=?\?"), R"("?\?=?\?")");
  EXPECT_EQ(CodeOf(CodeForm::CCall, kBoxes[1].request, BoxStyle::Native).code,
            R"(MessageBoxA(NULL, "It's \"$HOME\" `id` $(id) ; & \r\n < > * ~ %PATH% !x ^", "a 'b' \"c\"", )"
            "MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);");
  EXPECT_NE(CodeOf(CodeForm::CCall, kBoxes[1].request, BoxStyle::Runtime).code.find("/* The composer draws"),
            std::string::npos);
}

struct ToolCase {
  const char* label;
  CodeForm form;
  rt::BoxRequest request;
  const char* code;  // the command, or the sentence saying why there is none
};

TEST_F(BoxCodeRoundTrip, TheDialogToolsWriteWhatTheyCanShow) {
  const rt::BoxRequest yesNo = {.text = "Back up?|It's quick. \\n",
                                .caption = "Backup",
                                .icon = rt::IconQuestion,
                                .buttons = 6,
                                .defaultButton = 2};
  const rt::BoxRequest retry = {.text = "<b>disk</b>", .icon = rt::IconExclamation, .buttons = 80};
  const ToolCase cases[] = {
      {"zenity yes/no, No the default", CodeForm::Zenity, yesNo,
       "zenity --question --default-cancel --title=Backup --no-markup --text='Back up?\nIt'\\''s quick. \\n'"
       "  # exit status: 0 Yes, 1 No"},
      {"kdialog yes/no, No the default", CodeForm::Kdialog, yesNo, "kdialog cannot make No the default button"},
      {"kdialog yes/no",
       CodeForm::Kdialog,
       {.text = "a\\b", .icon = rt::IconQuestion, .buttons = 6},
       "kdialog --title '' --yesno 'a\\\\b'  # exit status: 0 Yes, 1 No"},
      {"kdialog retry/cancel", CodeForm::Kdialog, retry,
       "kdialog would show this text as rich text, since its "
       "first line has a '<'"},
      {"zenity retry/cancel with the warning icon", CodeForm::Zenity, retry,
       "zenity cannot show Retry and Cancel buttons with the Warning icon"},
      {"kdialog warning",
       CodeForm::Kdialog,
       {.text = "x", .icon = rt::IconExclamation, .buttons = 65},
       "kdialog --title '' --continue-label OK --warningcontinuecancel x  # exit status: 0 OK, 2 Cancel"},
      {"zenity abort/retry/ignore",
       CodeForm::Zenity,
       {.text = "x", .icon = rt::IconHand, .buttons = 56},
       "zenity tells only two answers apart by its exit status, and Abort, Retry and Ignore are three"},
      {"kdialog abort/retry/ignore",
       CodeForm::Kdialog,
       {.text = "x", .icon = rt::IconHand, .buttons = 56},
       "kdialog cannot show Abort, Retry and Ignore buttons"},
      {"zenity OK without an icon", CodeForm::Zenity, {.text = "x"}, "zenity cannot show an OK button with no icon"},
      {"zenity error",
       CodeForm::Zenity,
       {.text = "-x", .icon = rt::IconHand},
       "zenity --error --title='' --no-markup --text=-x  # exit status: 0 OK"},
      {"zenity system-modal",
       CodeForm::Zenity,
       {.text = "x", .icon = rt::IconHand, .style = 1},
       "zenity cannot show a system-modal box"},
  };
  for (const ToolCase& c : cases) {
    const quibra::BoxCode code = CodeOf(c.form, c.request, BoxStyle::Native);
    EXPECT_EQ(code.Ok() ? code.code : code.cannot, c.code) << c.label;
    EXPECT_NE(code.code.empty(), code.cannot.empty()) << c.label;
  }
#ifndef _WIN32
  // The shell hands zenity the text's lines as they are.
  const std::vector<std::string> args = ArgumentsBySh("zenity", CodeOf(CodeForm::Zenity, yesNo, BoxStyle::Native).code);
  ASSERT_FALSE(args.empty());
  EXPECT_EQ(args.back(), "--text=Back up?\nIt's quick. \\n");
  // What each tool's command shows, read back by this program as that tool's
  // command: the same buttons, default, icon, title and lines.
  auto seen = [](const rt::BoxRequest& r, bool composed) {
    std::string shown = "title=" + r.caption + " icon=" + rt::IconName(r.icon) + " buttons=";
    const std::vector<rt::ShownButton> buttons = rt::ButtonsOf(r, true);
    for (const rt::ShownButton& b : buttons)
      for (const char c : b.caption) shown += c == '&' ? "" : std::string(1, c);
    shown += " default=" + std::to_string(rt::DefaultPlace(buttons, r.defaultButton)) + " text=";
    for (const std::string& line : composed ? rt::SplitBoxText(r.text) : rt::TextLines(r, 1000)) shown += line + "/";
    return shown;
  };
  for (const ToolCase& c : cases) {
    const quibra::BoxCode code = CodeOf(c.form, c.request, BoxStyle::Native);
    if (!code.Ok()) continue;
    const std::vector<std::string> words =
        ArgumentsBySh(c.form == CodeForm::Zenity ? "zenity" : "kdialog", code.code.substr(0, code.code.find("  #")));
    const quibra::ParsedCommandLine parsed = quibra::ParseCommandLine(words);
    ASSERT_TRUE(parsed.Ok()) << c.label << ": " << parsed.error;
    EXPECT_EQ(seen(parsed.line.request, false), seen(c.request, true)) << c.label;
  }
#endif
}

#ifndef _WIN32  // the cross compiler and Wine run on Linux
// Bytes in hex, ended by a '.', as the stand-in prints them.
std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex = " ";
  for (unsigned char c : bytes) hex += {digits[c >> 4], digits[c & 15]};
  return hex + ".";
}

// The C calls compiled by the Windows cross compiler against the real
// <windows.h>, with a stand-in for MessageBoxA, and run under 64-bit Wine in
// one process, which also splits the Windows command lines with Windows' own
// CommandLineToArgvW. Registered as the ctest test box_code_c_calls, which
// says where the script that does it is.
TEST_F(BoxCodeRoundTrip, CCallsUnderWinePassWhatTheNativeHookPasses) {
  const char* script = std::getenv("QUIBRA_BOX_CODE_WINE");
  const char* work = std::getenv("QUIBRA_BOX_CODE_DIR");
  if (!script || !work) GTEST_SKIP() << "runs as the ctest test box_code_c_calls";
  std::string calls = "static void ShowEveryBox(void) {\n", lines, wantCalls, wantArgs;
  for (const quibra::MessageBoxFlagName& f : quibra::MessageBoxFlagNames())
    calls += "  _Static_assert(" + std::string(f.name) + " == " + std::to_string(f.value) + "u, \"" + f.name + "\");\n";
  for (const Box& box : kBoxes)
    for (const BoxStyle style : {BoxStyle::Native, BoxStyle::Runtime}) {
      calls += "  " + CodeOf(CodeForm::CCall, box.request, style).code + "\n";
      lines += "    " + quibra::CStringLiteral(CodeOf(CodeForm::CommandLine, box.request, style, Shell::Windows).code) +
               ",\n";
      wantArgs += "args";
      for (const std::string& arg : quibra::ArgumentsOf(box.request, style).args) wantArgs += Hex(arg);
      wantArgs += "\n";
      // What the native message hook passes to MessageBoxA, which has no
      // time-out: the C call shows the box without one.
      rt::BoxRequest request = box.request;
      request.timeout = 0;
      const headless::BoxRecord b = Shown(request, BoxStyle::Native);
      std::ostringstream flags;
      flags << std::hex << b.flags;
      wantCalls += "box" + Hex(b.text) + Hex(b.caption) + " " + flags.str() + "\n";
    }
  quibra_test::WriteBytes(std::string(work) + "/box-code-cases.h",
                          calls + "}\n\nstatic const char* const kCommandLines[] = {\n" + lines + "};\n");
  std::string output;
  FILE* run = popen(("'" + std::string(script) + "' '" + work + "' 2>&1").c_str(), "r");
  ASSERT_TRUE(run);
  for (int c; (c = std::fgetc(run)) != EOF;) output += static_cast<char>(c);
  const int status = pclose(run);
  if (output.find("SKIPPED:") != std::string::npos) GTEST_SKIP() << output;
  ASSERT_EQ(status, 0) << output;
  std::string got;
  std::istringstream printed(output);
  for (std::string l; std::getline(printed, l);)
    if (l.rfind("box ", 0) == 0 || l.rfind("args", 0) == 0) got += l.substr(0, l.find_last_not_of('\r') + 1) + "\n";
  EXPECT_EQ(got, wantCalls + wantArgs);
}
#endif

}  // namespace
