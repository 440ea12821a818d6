// The Linux program's check that a display answers before the desktop
// backend starts: where DISPLAY names a server that is gone, the terminal
// draws instead.
#include <gtest/gtest.h>

#include "backends/linux/DisplayProbe.h"

namespace {

TEST(DisplayProbe, AnXDisplayNamesItsHostAndNumber) {
  struct Row {
    const char* display;
    bool valid;
    const char* host;
    int number;
  };
  const Row rows[] = {
      {":0", true, "", 0},
      {":1.0", true, "", 1},
      {"localhost:10.0", true, "localhost", 10},
      {"unix:3", true, "unix", 3},
      {"box/unix:4", true, "unix", 4},
      {"[::1]:2", true, "[::1]", 2},
      {"", false, "", 0},
      {":", false, "", 0},
      {"0", false, "", 0},
      {":x", false, "", 0},
      {":1x", false, "", 0},
      {":99999", false, "", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.display);
    const backend::XDisplayAddress a = backend::ParseXDisplay(row.display);
    EXPECT_EQ(a.valid, row.valid);
    if (row.valid) {
      EXPECT_EQ(a.host, row.host);
      EXPECT_EQ(a.number, row.number);
    }
  }
}

TEST(DisplayProbe, NobodyAnswersForADisplayThatIsNotThere) {
  EXPECT_FALSE(backend::XDisplayAnswers(":4987"));
  EXPECT_FALSE(backend::XDisplayAnswers("not a display"));
  EXPECT_FALSE(backend::WaylandDisplayAnswers("wayland-4987", "/nonexistent"));
  EXPECT_FALSE(backend::WaylandDisplayAnswers("", "/tmp"));
}

}  // namespace
