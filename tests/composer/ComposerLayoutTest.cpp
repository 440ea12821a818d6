// The composer window's layout by the rules a person sees: columns that line
// up, radios evenly spaced inside their group, prompts on their field's row,
// and a tab order that reads from top to bottom. The rules, not the numbers: a
// control moved by one unit breaks a line, a spacing or a border. That nothing
// leaves the window or covers another control is every window's rule
// (app/ProgramRunTest).
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "composer/ComposerWindowDef.h"
#include "runtime/WindowDef.h"

namespace {

using rt::ControlDef;
using rt::ControlKind;

const rt::WindowDef& Def() { return quibra::ComposerWindowDefinition(); }

const ControlDef& Named(const std::string& name) {
  for (const ControlDef& c : Def().controls)
    if (c.name == name) return c;
  ADD_FAILURE() << "no control " << name;
  static const ControlDef none;
  return none;
}

// A group's radios: those whose name begins with the group's own.
std::vector<const ControlDef*> RadiosOf(const std::string& group) {
  std::vector<const ControlDef*> radios;
  for (const ControlDef& c : Def().controls)
    if (c.kind == ControlKind::Radio && c.name.starts_with(group + ":")) radios.push_back(&c);
  return radios;
}

constexpr int32_t kRadioPitch = 10;

TEST(ComposerLayout, RadiosStandInOneColumnEvenlySpacedInsideTheirGroup) {
  // The three groups; "?OPTION1" radios belong to the button-style group.
  const std::pair<const char*, const char*> groups[] = {
      {"?BUTTONSTYLE", "?OPTION1"}, {"?MSGICON", "?MSGICON"}, {"?MESSAGESTYLE", "?MESSAGESTYLE"}};
  for (const auto& [groupName, radioName] : groups) {
    SCOPED_TRACE(groupName);
    const ControlDef& group = Named(groupName);
    const std::vector<const ControlDef*> radios = RadiosOf(radioName);
    ASSERT_GE(radios.size(), 2u);
    const bool across = radios[0]->y == radios[1]->y;  // the style group's two radios stand side by side
    for (std::size_t i = 0; i < radios.size(); ++i) {
      const ControlDef& r = *radios[i];
      SCOPED_TRACE(r.text);
      if (across) {
        EXPECT_EQ(r.y, radios[0]->y) << "one row";
      } else {
        EXPECT_EQ(r.x, radios[0]->x) << "one column";
        EXPECT_EQ(r.y, radios[0]->y + kRadioPitch * static_cast<int32_t>(i)) << "evenly spaced";
      }
      EXPECT_GT(r.x, group.x);
      EXPECT_GE(r.y, group.y + kRadioPitch) << "below the group's caption";
      EXPECT_LE(r.y + kRadioPitch, group.y + group.height) << "inside the group's frame";
    }
  }
}

TEST(ComposerLayout, PromptsStandOnTheirFieldsRowAndTheFieldsLineUp) {
  for (const char* field : {"?MESSAGETEXT", "?MESSAGETITLE"}) {
    SCOPED_TRACE(field);
    const ControlDef& prompt = Named(std::string(field) + ":PROMPT");
    EXPECT_EQ(prompt.y, Named(field).y);
    EXPECT_EQ(prompt.x, Named("?BUTTONSTYLE").x) << "the prompts and the groups share the left margin";
    EXPECT_EQ(Named(field).x, Named("?MESSAGETEXT").x) << "the fields share one column";
  }
  EXPECT_EQ(Named("?MSGICON").x, Named("?BUTTONSTYLE").x) << "so do both groups on the left";
  // The right column under the button styles: prompt, check box and group.
  for (const char* name : {"?DEFAULTBUTTON:PROMPT", "?SYSTEMMODAL", "?MESSAGESTYLE"}) {
    EXPECT_EQ(Named(name).x, Named("?DEFAULTBUTTON:PROMPT").x) << name;
  }
  EXPECT_EQ(Named("?MESSAGETEXT").x + Named("?MESSAGETEXT").width,
            Named("?BUTTONSTYLE").x + Named("?BUTTONSTYLE").width - 2)
      << "the text field ends where the group's frame does, inside its border";
}

TEST(ComposerLayout, TextControlsAreSizedToTheirText) {
  // A prompt, check box or radio with no size of its own is made as wide and
  // as tall as its caption; any size given would cut a longer caption.
  for (const ControlDef& c : Def().controls)
    if (c.kind == ControlKind::Prompt || c.kind == ControlKind::CheckBox || c.kind == ControlKind::Radio) {
      EXPECT_EQ(c.width, 0) << c.name;
      EXPECT_EQ(c.height, 0) << c.name;
    }
}

TEST(ComposerLayout, TheTwoButtonsShareTheBottomRowAndItsMargins) {
  const ControlDef& show = Named("?BUTTON2");
  const ControlDef& close = Named("?CLOSE");
  EXPECT_EQ(show.y, close.y);
  EXPECT_EQ(show.height, close.height);
  EXPECT_GT(show.y, Named("?MESSAGESTYLE").y + Named("?MESSAGESTYLE").height) << "below everything else";
}

TEST(ComposerLayout, TheTabOrderReadsFromTopToBottom) {
  // Controls are visited in number order: in each column a control comes
  // after every control above it.
  std::map<int32_t, const ControlDef*> byNumber;
  for (const ControlDef& c : Def().controls) byNumber[c.number] = &c;
  ASSERT_EQ(byNumber.size(), Def().controls.size()) << "numbers are unique";
  for (auto a = byNumber.begin(); a != byNumber.end(); ++a)
    for (auto b = std::next(a); b != byNumber.end(); ++b)
      if (a->second->x == b->second->x) {
        EXPECT_GT(b->second->y, a->second->y) << a->second->name << " then " << b->second->name;
      }
}

}  // namespace
