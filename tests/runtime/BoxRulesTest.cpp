// The box rules of a whole request, which every drawer reads: the buttons a
// caller named and added, what Escape answers by each rule, and the lines of
// the text by its markup and wrap.
#include <gtest/gtest.h>

#include "platform/Win32Api.h"
#include "runtime/BoxRules.h"
#include "runtime/MessageBox.h"

namespace {

using rt::BoxRequest;

std::string Shown(const BoxRequest& r, bool native) {
  std::string shown;
  for (const rt::ShownButton& b : rt::ButtonsOf(r, native))
    shown += (shown.empty() ? "" : " ") + b.caption + "=" + std::to_string(b.value) + "/" + b.name;
  return shown + " esc=" + std::to_string(rt::EscapeValue(r, rt::ButtonsOf(r, native)));
}

TEST(BoxRulesCaptions, AccessKeysAndTheCaptionAsDrawn) {
  struct Row {
    const char* caption;
    char key;
    const char* drawn;
    std::size_t place;
  };
  const Row rows[] = {
      {"&Yes", 'y', "Yes", 0},
      {"Re&try", 't', "Retry", 2},
      {"OK", 0, "OK", std::string::npos},
      {"Fish && Chips", 0, "Fish & Chips", std::string::npos},
      {"A&&B &Go", 'g', "A&B Go", 4},
      {"&1 day", '1', "1 day", 0},
      {"End&", 0, "End", std::string::npos},
      {"&-", 0, "-", std::string::npos},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(rt::AccessKeyOf(row.caption), row.key);
    EXPECT_EQ(rt::WithoutAccessKeys(row.caption), row.drawn);
    EXPECT_EQ(rt::AccessKeyPlace(row.caption), row.place);
  }
}

TEST(BoxRulesCaptions, ACountdownIsReadOnceEveryTenSecondsFromItsStart) {
  struct Row {
    int32_t timeout, secondsLeft;
    const char* said;  // "": the description stays as it is
  };
  const Row rows[] = {
      {30, 30, "Pressed in 30 seconds"}, {30, 29, ""}, {30, 21, ""}, {30, 20, "Pressed in 20 seconds"},
      {25, 15, "Pressed in 15 seconds"}, {25, 10, ""}, {11, 1, "Pressed in 1 second"}, {10, 0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.timeout) + "/" + std::to_string(row.secondsLeft));
    EXPECT_EQ(rt::CountdownDescription(row.timeout, row.secondsLeft), row.said);
  }
}

TEST(BoxRulesOfARequest, ButtonsCaptionsAndEscape) {
  const rt::EscapeRule tool = rt::EscapeRule::DialogTool;
  const struct {
    const char* label;
    BoxRequest request;
    bool native;
    const char* shown;
  } cases[] = {
      {"the set's own", {.buttons = rt::ButtonYes | rt::ButtonNo}, true, "&Yes=2/YES &No=4/NO esc=0"},
      {"a caption named for one of them",
       {.buttons = rt::ButtonOk | rt::ButtonCancel, .captions = {{rt::ButtonCancel, "&Stop"}}},
       true,
       "OK=1/OK &Stop=64/CANCEL esc=64"},
      {"added buttons after the set's, printed by their labels",
       {.buttons = rt::ButtonOk, .extraButtons = {{"&Later", "_Later"}, {"Never", "Never"}}},
       true,
       "OK=1/OK &Later=65536/_Later Never=65537/Never esc=0"},
      {"a set of none shows the added ones alone",
       {.buttons = 0, .extraButtons = {{"A", "A"}}},
       true,
       "A=65536/A esc=0"},
      {"a set of none and nothing added is OK", {.buttons = 0}, false, "OK=1/OK esc=1"},
      {"a set no native box has: OK there, its own in the runtime's box",
       {.buttons = rt::ButtonYes | rt::ButtonHelp},
       true,
       "OK=1/OK esc=1"},
      {"the same in the runtime's box",
       {.buttons = rt::ButtonYes | rt::ButtonHelp},
       false,
       "&Yes=2/YES &Help=128/HELP esc=0"},
      {"the dialog tools answer Escape with Cancel always",
       {.buttons = rt::ButtonYes | rt::ButtonNo, .escape = tool},
       true,
       "&Yes=2/YES &No=4/NO esc=64"},
      {"also in an OK box", {.escape = tool}, true, "OK=1/OK esc=64"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(c.request, c.native), c.shown) << c.label;
}

TEST(BoxRulesOfARequest, TextLinesByMarkupAndWrap) {
  const std::string twelve = "aaaa bbbb cc";
  const struct {
    const char* label;
    BoxRequest request;
    std::vector<std::string> lines;
  } cases[] = {
      {"bars break the program's own text", {.text = "a|b\nc  "}, {"a", "b", "c"}},
      {"plain text keeps its bars", {.text = "a|b\nc", .markup = rt::BoxMarkup::Plain}, {"a|b", "c"}},
      {"markup read as plain text", {.text = "<b>a</b> &amp; b\nc", .markup = rt::BoxMarkup::Pango}, {"a & b", "c"}},
      {"long lines wrap once, at a blank", {.text = twelve}, {"aaaa bbbb", "cc"}},
      {"or stay long", {.text = twelve, .wrap = rt::BoxWrap::NoWrap}, {twelve}},
      {"or are cut with dots", {.text = twelve, .wrap = rt::BoxWrap::Ellipsize}, {"aaaa bb..."}},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::TextLines(c.request, 10), c.lines) << c.label;
}

TEST(BoxRulesOfARequest, AWidthInPixelsGivesTheTextItsColumns) {
  const rt::ScreenArea screen = rt::kClassicWorkArea;
  EXPECT_EQ(rt::TextAreaOf({}, screen, false).columns, rt::TextAreaOn(screen, false).columns);
  // 300 pixels are 200 dialog units: less the frame and the margins, 45 columns.
  EXPECT_EQ(rt::TextAreaOf({.width = 300}, screen, false).columns, 45u);
  EXPECT_EQ(rt::TextAreaOf({.width = 300}, screen, true).columns, 37u) << "the icon takes its room";
  EXPECT_EQ(rt::TextAreaOf({.width = 1}, screen, false).columns, 10u) << "never fewer than ten";
  EXPECT_LE(rt::TextAreaOf({.width = 100000}, screen, false).columns, static_cast<std::size_t>(screen.width / 4))
      << "nor wider than the screen";
}

// An icon code as a box's icon (compared as it is) and as an image control's
// (a code padded with blanks counts), and what it says to a screen reader.
TEST(BoxRulesIcons, IconCodesGiveTheirFlagAndName) {
  const struct {
    const char* label;
    std::string code;
    uint32_t boxFlag, imageFlag;
    const char* name;
  } rows[] = {
      {"hand", rt::IconHand, os::MB_ICONHAND, os::MB_ICONHAND, "Error"},
      {"question", rt::IconQuestion, os::MB_ICONQUESTION, os::MB_ICONQUESTION, "Question"},
      {"exclamation", rt::IconExclamation, os::MB_ICONEXCLAMATION, os::MB_ICONEXCLAMATION, "Warning"},
      {"asterisk", rt::IconAsterisk, os::MB_ICONASTERISK, os::MB_ICONASTERISK, "Information"},
      {"none", rt::IconNone, 0, 0, ""},
      {"none padded with two spaces", rt::IconNone + "  ", 0, 0, ""},
      {"exclamation padded", rt::IconExclamation + "   ", 0, os::MB_ICONEXCLAMATION, "Warning"},
      {"hand with a byte too many", rt::IconHand + " ", 0, os::MB_ICONHAND, "Error"},
      {"empty", "", 0, 0, ""},
      {"a code cut short", rt::IconHand.substr(0, 3), 0, 0, ""},
      {"an unknown code", std::string("\xFF\x01\x06\x7F", 4), 0, 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(rt::IconFlag(row.code), row.boxFlag);
    EXPECT_EQ(rt::ImageIconFlag(row.code), row.imageFlag);
    EXPECT_STREQ(rt::IconName(rt::IconOfFlag(row.imageFlag)), row.name);
  }
}

// A native box's type and default flags: the default is the button's place in
// the set, the first where the set has no such button; a set no native box
// has is OK.
TEST(BoxRulesOfARequest, ButtonSetsAndDefaultsGiveTypeAndDefaultFlags) {
  const struct {
    int32_t buttons;
    int32_t defaultButton;
    uint32_t flags;
  } rows[] = {
      {1, 0, os::MB_OK},
      {1, 2, os::MB_OK},
      {65, 2, os::MB_OKCANCEL | os::MB_DEFBUTTON2},
      {65, 64, os::MB_OKCANCEL | os::MB_DEFBUTTON2},
      {65, 3, os::MB_OKCANCEL},
      {6, 2, os::MB_YESNO | os::MB_DEFBUTTON2},
      {6, 4, os::MB_YESNO | os::MB_DEFBUTTON2},
      {6, 3, os::MB_YESNO},
      {70, 64, os::MB_YESNOCANCEL | os::MB_DEFBUTTON3},
      {70, 3, os::MB_YESNOCANCEL | os::MB_DEFBUTTON3},
      {70, 4, os::MB_YESNOCANCEL | os::MB_DEFBUTTON2},
      {70, 2, os::MB_YESNOCANCEL | os::MB_DEFBUTTON2},
      {70, 1, os::MB_YESNOCANCEL},
      {70, 0, os::MB_YESNOCANCEL},
      {56, 16, os::MB_ABORTRETRYIGNORE | os::MB_DEFBUTTON2},
      {56, 32, os::MB_ABORTRETRYIGNORE | os::MB_DEFBUTTON3},
      {56, 8, os::MB_ABORTRETRYIGNORE},
      {80, 64, os::MB_RETRYCANCEL | os::MB_DEFBUTTON2},
      {80, 3, os::MB_RETRYCANCEL},
      {7, 2, os::MB_OK},
      {7, 64, os::MB_OK},
      {0, 2, os::MB_OK},
  };
  for (const auto& row : rows)
    EXPECT_EQ(rt::NativeFlags({.buttons = row.buttons, .defaultButton = row.defaultButton}), row.flags)
        << "buttons " << row.buttons << " default " << row.defaultButton;
}

}  // namespace
