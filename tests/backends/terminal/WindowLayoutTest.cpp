// Window definitions in character cells: the program's own windows laid out
// whole, the rule of units to cells on small definitions, and where a window
// stands on terminals it does or does not fit.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "backends/terminal/WindowLayout.h"
#include "composer/ComposerWindowDef.h"
#include "framework/error/ErrorWindowDef.h"
#include "runtime/BoxRules.h"

namespace terminal {
namespace {

using K = rt::ControlKind;

bool IsGroup(K kind) { return kind == K::Group || kind == K::OptionGroup; }

CellRect Interior(const CellRect& r) { return {r.x + 1, r.y + 1, r.width - 2, r.height - 2}; }

TEST(TerminalWindowLayout, TheProgramsWindowsLayOutWhole) {
  struct Row {
    const char* label;
    const rt::WindowDef& def;
    bool fits80By24;  // the frame included
  };
  const Row rows[] = {
      {"the composer", quibra::ComposerWindowDefinition(), true},
      {"the error window", quibra::ErrorWindowDefinition(), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const WindowLayout l = LayOutWindow(row.def);
    ASSERT_EQ(l.controls.size(), row.def.controls.size());
    EXPECT_EQ(l.width + 2 <= 80 && l.height + 2 <= 24, row.fits80By24);
    const CellRect client{0, 0, l.width, l.height};
    std::set<char> keys;
    for (std::size_t i = 0; i < l.controls.size(); ++i) {
      const ControlCells& a = l.controls[i];
      const rt::ControlDef& def = row.def.controls[i];
      SCOPED_TRACE(def.name);
      EXPECT_GT(a.cells.width, 0);
      EXPECT_TRUE(a.cells.Inside(client))
          << a.cells.x << "," << a.cells.y << " " << a.cells.width << "x" << a.cells.height;
      // A caption sized by its text shows whole.
      if (def.width == 0 && OneRowKind(def.kind))
        EXPECT_EQ(a.cells.width, static_cast<int>(std::string_view(CaptionMark(def.kind)).size() +
                                                  rt::WithoutAccessKeys(def.text).size()));
      for (std::size_t j = i + 1; j < l.controls.size(); ++j) {
        const ControlCells& b = l.controls[j];
        SCOPED_TRACE(row.def.controls[j].name);
        if (IsGroup(a.kind) && b.cells.Overlaps(a.cells))
          EXPECT_TRUE(b.cells.Inside(Interior(a.cells))) << "on the group's border";
        else if (IsGroup(b.kind) && a.cells.Overlaps(b.cells))
          EXPECT_TRUE(a.cells.Inside(Interior(b.cells))) << "on the group's border";
        else
          EXPECT_FALSE(a.cells.Overlaps(b.cells));
      }
      // An access key is drawn inside the control, and no other control has it.
      if (const char key = rt::AccessKeyOf(def.text)) {
        const std::size_t at = std::string_view(CaptionMark(def.kind)).size() + rt::AccessKeyPlace(def.text);
        EXPECT_LT(static_cast<int>(at), a.cells.width - (IsGroup(def.kind) ? 4 : 0));
        EXPECT_TRUE(keys.insert(key).second) << "the key " << key << " twice";
      }
    }
    std::set<char> commandKeys;
    for (const rt::WindowCommand& command : row.def.commands) {
      const char key = rt::AccessKeyOf(command.text);
      EXPECT_NE(key, 0) << command.text;
      EXPECT_TRUE(commandKeys.insert(key).second) << command.text;
    }
  }
}

rt::WindowDef Def(std::vector<rt::ControlDef> controls, int32_t width = 200, int32_t height = 100) {
  rt::WindowDef def;
  def.name = "T";
  def.width = width;
  def.height = height;
  def.controls = std::move(controls);
  return def;
}

TEST(TerminalWindowLayout, UnitsBecomeTheCellsTheyReachInto) {
  struct Row {
    const char* label;
    rt::ControlDef control;
    CellRect cells;
  };
  const Row rows[] = {
      {"a group takes every row it reaches", rt::MakeControl(1, "g", K::Group, "G", 7, 31, 224, 73), {1, 3, 57, 10}},
      {"one unit into a cell takes it", rt::MakeControl(1, "g", K::Group, "G", 0, 0, 5, 9), {0, 0, 2, 2}},
      {"a button is one row at its top",
       rt::MakeControl(1, "b", K::Button, "Close", 195, 164, 45, 14),
       {48, 20, 12, 1}},
      {"a radio sized by its caption", rt::MakeControl(1, "r", K::Radio, "&Yes", 13, 41), {3, 5, 7, 1}},
      {"a check box sized by its caption", rt::MakeControl(1, "c", K::CheckBox, "On", 98, 122), {24, 15, 6, 1}},
      {"a button sized by its caption", rt::MakeControl(1, "b", K::Button, "OK", 0, 0), {0, 0, 6, 1}},
      {"a caption is cut at the window's edge",
       rt::MakeControl(1, "p", K::Prompt, "Hello world", 180, 0),
       {45, 0, 5, 1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const CellRect r = LayOutWindow(Def({row.control})).controls[0].cells;
    EXPECT_EQ(r.x, row.cells.x);
    EXPECT_EQ(r.y, row.cells.y);
    EXPECT_EQ(r.width, row.cells.width);
    EXPECT_EQ(r.height, row.cells.height);
  }
  const WindowLayout l = LayOutWindow(Def({}, 241, 179));
  EXPECT_EQ(l.width, 60);
  EXPECT_EQ(l.height, 22);
}

TEST(TerminalWindowLayout, ACaptionTakesTheFirstCellsOfAFieldAfterIt) {
  struct Row {
    const char* label;
    int32_t fieldWidth;  // units
    int promptWidth, fieldX, fieldCells;
  };
  const Row rows[] = {
      {"the field gives up three cells, one left blank", 27, 15, 40, 4},  // "Default Button:" at 24, the spin at 37
      {"a field left narrower than three keeps them", 15, 12, 37, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const WindowLayout l = LayOutWindow(Def({rt::MakeControl(1, "p", K::Prompt, "Default Button:", 98, 111),
                                             rt::MakeControl(2, "s", K::Spin, "", 148, 110, row.fieldWidth, 10)}));
    EXPECT_EQ(l.controls[0].cells.width, row.promptWidth);
    EXPECT_EQ(l.controls[1].cells.x, row.fieldX);
    EXPECT_EQ(l.controls[1].cells.width, row.fieldCells);
  }
}

TEST(TerminalWindowLayout, AWindowIsCentredWhereItFitsAndFollowsTheFocusWhereNot) {
  WindowLayout l;
  l.width = 81;  // the error window
  l.height = 12;
  struct Row {
    const char* label;
    int columns, rows;
    CellRect keep;
    int x, y;
    bool cutLeft, cutRight, cutBottom;
  };
  const Row rows[] = {
      {"centred on a wide terminal", 100, 30, {}, 8, 8, false, false, false},
      {"cut on the right at first", 80, 24, {0, 10, 9, 1}, 0, 5, false, true, false},
      {"moved so the rightmost button shows, cut on both sides", 80, 24, {70, 10, 9, 1}, -1, 5, true, true, false},
      {"cut below too on a low terminal, the focus kept", 80, 8, {70, 10, 9, 1}, -1, -5, true, true, true},
      {"cut below where the focus is at the top", 80, 8, {0, 0, 9, 1}, 0, 0, false, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const WindowPlace p = PlaceWindow(l, row.columns, row.rows, row.keep);
    EXPECT_EQ(p.x, row.x);
    EXPECT_EQ(p.y, row.y);
    EXPECT_EQ(p.cutLeft, row.cutLeft);
    EXPECT_EQ(p.cutRight, row.cutRight);
    EXPECT_EQ(p.cutBottom, row.cutBottom);
    if (row.keep.width > 0) {
      // The kept cells stand inside the arrows at the cut edges.
      EXPECT_GE(p.ClientX() + row.keep.x, p.cutLeft ? 1 : 0);
      EXPECT_LE(p.ClientX() + row.keep.Right(), row.columns - (p.cutRight ? 1 : 0));
      EXPECT_LE(p.ClientY() + row.keep.Bottom(), row.rows - (p.cutBottom ? 1 : 0));
    }
  }
}

}  // namespace
}  // namespace terminal
