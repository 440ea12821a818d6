// kdialog's --dontagain answers in the settings file kdialog itself reads:
// the entry changed or added where kdialog looks, every other line kept.
#include <gtest/gtest.h>

#include "app/RememberedAnswers.h"

namespace {

TEST(RememberedAnswers, AnEntryIsSetAndEveryOtherLineKept) {
  const std::string group = "Notification Messages";
  const struct {
    const char* label;
    const char* before;
    const char* after;
  } cases[] = {
      {"a new file", "", "[Notification Messages]\nask=true\n"},
      {"a file without the group", "[General]\nx=1\n", "[General]\nx=1\n\n[Notification Messages]\nask=true\n"},
      {"the entry changed in place", "[Notification Messages]\nask=false\nother=true\n",
       "[Notification Messages]\nask=true\nother=true\n"},
      {"added at the end of its group, before the next", "[Notification Messages]\nother=true\n\n[General]\nask=no\n",
       "[Notification Messages]\nother=true\nask=true\n\n[General]\nask=no\n"},
      {"the same key in another group is not it", "[General]\nask=false\n",
       "[General]\nask=false\n\n[Notification Messages]\nask=true\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(quibra::WithEntry(c.before, group, "ask", "true"), c.after) << c.label;
}

}  // namespace
