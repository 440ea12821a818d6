#include "support/WindowLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace quibra_test {

void ExpectInsideAndApart(const rt::WindowDef& def) {
  SCOPED_TRACE("window " + def.module + " " + def.name);
  std::vector<const rt::ControlDef*> sized;
  for (const rt::ControlDef& c : def.controls) {
    if (c.hidden) continue;
    SCOPED_TRACE(c.name);
    EXPECT_GE(c.x, 0);
    EXPECT_GE(c.y, 0);
    EXPECT_LE(c.x + c.width, def.width);
    EXPECT_LE(c.y + c.height, def.height);
    if (c.width > 0 && c.height > 0) sized.push_back(&c);
  }
  for (std::size_t i = 0; i < sized.size(); ++i)
    for (std::size_t k = i + 1; k < sized.size(); ++k) {
      const rt::ControlDef& a = *sized[i];
      const rt::ControlDef& b = *sized[k];
      const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
      EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
    }
}

}  // namespace quibra_test
