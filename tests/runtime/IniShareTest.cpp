// Settings files that several programs write: writers in different processes
// take turns, so none loses another's change, and a file that another opener
// holds with writing denied is not replaced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileTestDir.h"
#include "platform/ChildProcess.h"
#include "platform/OsFile.h"
#include "runtime/ErrorState.h"
#include "runtime/Ini.h"

namespace {

using quibra_test::FileTestDir;

constexpr int kEntries = 40;

// The child: writes its own entries one write at a time. The argument is the
// file's path, then a blank, then the prefix of the entries' names.
int WriteOwnEntries(const std::string& argument) {
  const std::size_t blank = argument.rfind(' ');
  const std::string path = argument.substr(0, blank);
  const std::string prefix = argument.substr(blank + 1);
  int failures = 0;
  for (int i = 1; i <= kEntries; ++i)
    failures += rt::PutIni("s", prefix + std::to_string(i), std::to_string(i), path) ? 0 : 1;
  return failures == 0 ? 0 : 1;
}
[[maybe_unused]] const bool servesWriter = os::ChildProcess::Serve("own-entries", &WriteOwnEntries);

TEST(IniSharing, WritersInSeveralProcessesLoseNoEntry) {
  FileTestDir dir;
  const std::string path = dir.Path("shared.ini");
  FileTestDir::Write(path, "[s]\r\nfirst=1\r\n");
  const std::vector<std::string> prefixes = {"a", "b", "c", "d"};
  std::vector<os::ChildProcess> writers;
  for (const std::string& prefix : prefixes) {
    writers.push_back(os::ChildProcess::Start("own-entries", &WriteOwnEntries, path + " " + prefix));
    ASSERT_TRUE(writers.back().Started());
  }
  for (os::ChildProcess& writer : writers) EXPECT_EQ(writer.Wait(), 0) << "every write of a child succeeded";
  int lost = 0;
  for (const std::string& prefix : prefixes)
    for (int i = 1; i <= kEntries; ++i)
      lost += rt::GetIni("s", prefix + std::to_string(i), "lost", path) == std::to_string(i) ? 0 : 1;
  EXPECT_EQ(lost, 0) << "of " << prefixes.size() * kEntries << " entries";
  EXPECT_EQ(rt::GetIni("s", "first", "lost", path), "1");
}

TEST(IniSharing, AFileHeldWithWritingDeniedIsNotReplaced) {
  FileTestDir dir;
  const std::string path = dir.Path("held.ini");
  const std::string content = "[s]\r\nk=old\r\n";
  FileTestDir::Write(path, content);
  for (uint8_t mode : {uint8_t{0x20}, uint8_t{0x12}, uint8_t{0x00}}) {
    SCOPED_TRACE(static_cast<int>(mode));
    os::OsFile holder;
    ASSERT_TRUE(holder.Open(path, mode).ok());
    EXPECT_FALSE(rt::PutIni("s", "k", "new", path));
    EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
    holder.Close();  // a holder that denies reading keeps the checks below out on Windows
    EXPECT_EQ(FileTestDir::Read(path), content);
    EXPECT_EQ(rt::GetIni("s", "k", "", path), "old");
  }
  EXPECT_TRUE(rt::PutIni("s", "k", "new", path)) << "once the holder has gone";
  EXPECT_EQ(rt::GetIni("s", "k", "", path), "new");
}

}  // namespace
