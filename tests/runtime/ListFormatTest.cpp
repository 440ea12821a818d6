#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ListFormat.h"
#include "runtime/Property.h"
#include "runtime/Window.h"

namespace {

struct FormatCase {
  const char* label;
  std::string format;
  std::vector<rt::ListColumn> columns;
};

TEST(ListFormat, ColumnsComeWithWidthAlignmentHeaderAndPicture) {
  const FormatCase cases[] = {
      {"the error window's history list",
       "217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@",
       {{217, 'L', "Message", "s255"}, {42, 'L', "Category", "s255"}}},
      {"right, centred and decimal columns",
       "30R~Amount~@n9.2@20C~Mid~@s5@15D@n5@",
       {{30, 'R', "Amount", "n9.2"}, {20, 'C', "Mid", "s5"}, {15, 'R', "", "n5"}}},
      {"a header may hold the picture mark", "50L~Mail @ home~@s40@", {{50, 'L', "Mail @ home", "s40"}}},
      {"no width lets the list decide", "L~Name~@s20@", {{0, 'L', "Name", "s20"}}},
      {"no width and no header", "@n5@", {{0, 'L', "", "n5"}}},
      {"three columns", "10@s1@20@s2@30@s3@", {{10, 'L', "", "s1"}, {20, 'L', "", "s2"}, {30, 'L', "", "s3"}}},
      {"a picture never closed does not count", "50L~A~@s10@60L~B~@s20", {{50, 'L', "A", "s10"}}},
      {"a header never closed ends the format", "50L~A", {}},
      {"empty", "", {}},
      {"an absurd width is held to the list's limit", "99999999L@s1@", {{32767, 'L', "", "s1"}}},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(rt::ParseListFormat(c.format), c.columns);

    // A list control reports as many columns as the backends draw.
    rt::WindowDef def;
    def.name = "LISTS";
    rt::ControlDef list;
    list.number = 1;
    list.kind = rt::ControlKind::List;
    list.format = c.format;
    def.controls.push_back(list);
    rt::Window window(def, {});
    EXPECT_EQ(window.GetProperty(1, rt::PropListColumnCount, 0).Number(), static_cast<int64_t>(c.columns.size()));
  }
}

}  // namespace
