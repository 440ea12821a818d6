// Boxes shown from a command line on the headless backend: the box each
// command line shows, and the status and output each answer gives.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/RunCommandLine.h"
#include "composer/CommandLine.h"
#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "support/HeadlessTest.h"

namespace {

using quibra::ParseCommandLine;
using Args = std::vector<std::string>;

// The scripted user's answer: a button, or Escape or the close box.
constexpr int32_t kEscape = -1;
constexpr int32_t kCloseBox = -2;

struct RunCase {
  const char* label;
  Args args;
  int32_t answer;
  const char* seen;  // the box shown, as Seen() gives it
  int32_t status;
};

class CommandLineRun : public quibra_test::HeadlessTest {
 protected:
  std::istringstream in;
  std::ostringstream out, err;
  int32_t Run(const Args& args) {
    const quibra::ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_TRUE(parsed.Ok()) << parsed.error;
    return quibra::RunCommandLine(parsed.line, "quibrad", in, out, err);
  }
  // Who drew the box, its title, icon, buttons and default as a person saw them.
  static std::string Seen(const headless::BoxRecord& b) {
    std::string seen = b.drawer + " title=" + b.caption + " icon=" + rt::IconName(b.icon) + " buttons=";
    for (const std::string& caption : b.captions) seen += caption + (&caption == &b.captions.back() ? "" : ",");
    for (const rt::BoxButton& button : rt::ButtonsOf(b.defaultValue)) seen += std::string(" default=") + button.caption;
    return seen;
  }
};

TEST_F(CommandLineRun, ShowsTheBoxAndEndsWithItsAnswersStatus) {
  const RunCase cases[] = {
      {"--question answered No",
       {"--question", "Go on?"},
       rt::ButtonNo,
       "native title=Question icon=Question buttons=&Yes,&No default=&Yes",
       1},
      {"--question answered Yes",
       {"--question", "--default", "no"},
       rt::ButtonYes,
       "native title=Question icon=Question buttons=&Yes,&No default=&No",
       0},
      {"own statuses: Yes is 5",
       {"--buttons", "yesnocancel", "--default=cancel", "--icon=warning", "--title=T"},
       rt::ButtonYes,
       "native title=T icon=Warning buttons=&Yes,&No,Cancel default=Cancel",
       5},
      {"the runtime's own box: Retry is 3",
       {"--style", "runtime", "--buttons", "abortretryignore", "--default", "2"},
       rt::ButtonRetry,
       "runtime title= icon= buttons=&Abort,&Retry,&Ignore default=&Retry",
       3},
      {"Escape is Cancel",
       {"--buttons", "okcancel", "--error"},
       kEscape,
       "native title=Error icon=Error buttons=OK,Cancel default=OK",
       1},
      {"the runtime box's close box is Cancel",
       {"--style=runtime", "--buttons=okcancel"},
       kCloseBox,
       "runtime title= icon= buttons=OK,Cancel default=OK",
       1},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    if (c.answer == kEscape) {
      headless::User().EscapeBox();
    } else if (c.answer == kCloseBox) {
      headless::User().CloseBox();
    } else {
      headless::User().AnswerBox(c.answer);
    }
    EXPECT_EQ(Run(c.args), c.status);
    const auto boxes = headless::Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Seen(boxes[0]), c.seen);
  }
  EXPECT_EQ(out.str() + err.str(), "") << "nothing printed unless asked";
}

TEST_F(CommandLineRun, ReadsTheTextFromInputAndPrintsThePressedButton) {
  in.str("first|second\nthird\r\n\n");
  headless::User().AnswerBox(rt::ButtonNo);
  EXPECT_EQ(Run({"--print", "--system-modal", "--buttons", "yesno", "-"}), 6);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  // Only the program's own --text breaks lines at '|': a piped "a | b" keeps its bar.
  EXPECT_EQ(headless::Boxes()[0].lines, (std::vector<std::string>{"first|second", "third"}));
  EXPECT_EQ(headless::Boxes()[0].style, 1);
  EXPECT_EQ(out.str(), "NO\n");
}

// The countdown runs on the script's clock: each Wait is time the user lets
// pass, and no test sleeps.
TEST_F(CommandLineRun, ATimeOutCountsDownOnTheDefaultAndPressesIt) {
  struct TimeOutCase {
    const char* label;
    Args args;
    std::vector<int32_t> waits;  // milliseconds, one Wait step each
    int32_t answer;              // a button pressed after the waits; 0: none
    std::vector<std::string> countdown;
    const char* printed;
    int32_t status;
  };
  const TimeOutCase cases[] = {
      {"native: the time runs out on No",
       {"--print", "--timeout", "3", "--buttons", "yesno", "--default", "no"},
       {1000, 1500, 500},
       0,
       {"&No (3)", "&No (2)", "&No (1)"},
       "NO\n",
       7},
      {"runtime: the same",
       {"--print", "--style", "runtime", "--timeout", "3", "--buttons", "yesno", "--default", "no"},
       {1000, 1500, 500},
       0,
       {"&No (3)", "&No (2)", "&No (1)"},
       "NO\n",
       7},
      {"native: a moment short of the time, the user presses Yes",
       {"--print", "--timeout=2", "--buttons=yesno"},
       {1999},
       rt::ButtonYes,
       {"&Yes (2)", "&Yes (1)"},
       "YES\n",
       5},
      {"runtime: the same",
       {"--print", "--style=runtime", "--timeout=2", "--buttons=yesno"},
       {1999},
       rt::ButtonYes,
       {"&Yes (2)", "&Yes (1)"},
       "YES\n",
       5},
      {"--question: a time-out is 5, as the dialog tools say",
       {"--question", "--timeout", "1"},
       {1000},
       0,
       {"&Yes (1)"},
       "",
       5},
  };
  for (const TimeOutCase& c : cases) {
    SCOPED_TRACE(c.label);
    headless::Reset();
    out.str("");
    for (int32_t ms : c.waits) headless::User().Wait(ms);
    if (c.answer) headless::User().AnswerBox(c.answer);
    EXPECT_EQ(Run(c.args), c.status);
    ASSERT_EQ(headless::Boxes().size(), 1u);
    EXPECT_EQ(headless::Boxes()[0].countdown, c.countdown);
    EXPECT_EQ(headless::Boxes()[0].result, c.answer ? c.answer : rt::BoxTimedOut);
    EXPECT_EQ(out.str(), c.printed);
    EXPECT_TRUE(headless::User().Remaining().empty());
  }
}

TEST_F(CommandLineRun, ABoxThatCannotBeShownSaysSoAndPrintsNoButton) {
  headless::User().AnswerNative(0);
  EXPECT_EQ(Run({"--print", "--info", "x"}), 69);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "quibrad: the message box could not be shown\n");
}

}  // namespace
