#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Program.h"
#include "support/HaltIntercept.h"

namespace {

std::vector<std::string> calls;
void ModuleA(int32_t end) { calls.push_back(end ? "A end" : "A start"); }
void ModuleB(int32_t end) { calls.push_back(end ? "B end" : "B start"); }

TEST(ProgramControl, ModulesStartInTableOrderAndEndOnceEach) {
  calls.clear();
  const rt::ModuleEntry table[] = {{5, ModuleA, ModuleA}, {5, ModuleB, ModuleB}};
  rt::StartupDescriptor descriptor{table, table + 2, nullptr, nullptr};
  rt::SystemInit(&descriptor, 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"A start", "B start"}));
  rt::CloseDown();
  rt::CloseDown();  // a second close-down runs nothing
  EXPECT_EQ(calls, (std::vector<std::string>{"A start", "B start", "B end", "A end"}));
}

TEST(ProgramControl, VersionCheckAcceptsOnlyItsOwnMajorVersion) {
  EXPECT_NE(rt::CheckVersion(5, 507, 0), 0);
  EXPECT_EQ(rt::CheckVersion(5, 508, 0), 0);
  EXPECT_EQ(rt::CheckVersion(6, 0, 0), 0);
}

int cleanups = 0;
void CountCleanup() { ++cleanups; }

TEST(ProgramControl, HaltRunsTheCleanupOnceThenTheInterceptedHalt) {
  cleanups = 0;
  rt::SetHaltCleanup(&CountCleanup);
  try {
    rt::Halt(0, "File Usage Error");
    FAIL() << "Halt returned";
  } catch (const quibra_test::Halted& h) {
    EXPECT_EQ(h.level, 0);
    EXPECT_EQ(h.text, "File Usage Error");
  }
  EXPECT_THROW(rt::Halt(3, "again"), quibra_test::Halted);
  EXPECT_EQ(cleanups, 1);
}

struct DateCase {
  const char* label;
  int32_t day;
  const char* text;
};

TEST(ProgramControl, DatePictureGivesIsoDates) {
  const DateCase cases[] = {
      {"first day of 1801", 4, "1801-01-01"},
      {"unix epoch", 61730, "1970-01-01"},
      {"leap day 2000", 61730 + 11016, "2000-02-29"},
      {"last day of 2026", 61730 + 20818, "2026-12-31"},
  };
  for (const DateCase& c : cases) EXPECT_EQ(rt::Format(c.day, "D17"), c.text) << c.label;
}

TEST(ProgramControl, TimePictureGivesHoursMinutesSeconds) {
  EXPECT_EQ(rt::Format(1, "T8"), "00:00:00");
  EXPECT_EQ(rt::Format((13 * 3600 + 5 * 60 + 9) * 100 + 1, "T8"), "13:05:09");
  EXPECT_EQ(rt::Format(8639999 + 1, "T8"), "23:59:59");
}

TEST(ProgramControl, TodayAndClockAgreeWithTheirPictures) {
  std::string date = rt::Format(rt::Today(), "D17");
  ASSERT_EQ(date.size(), 10u);
  EXPECT_EQ(date[4], '-');
  EXPECT_GE(date.substr(0, 4), "2024");
  int32_t clock = rt::Clock();
  EXPECT_GE(clock, 1);
  EXPECT_LE(clock, 8640000);
}

}  // namespace
