// Settings files that several programs write: writers in different processes
// take turns, so none loses another's change, and a file that another opener
// holds with writing denied is not replaced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileTestDir.h"
#include "platform/OsFile.h"
#include "runtime/ErrorState.h"
#include "runtime/Ini.h"
#include "support/ChildProcess.h"
#include "support/TestSize.h"

namespace {

using quibra_test::FileTestDir;

using quibra_test::TestSize;

// `make stress` runs 8 writers of 1000 entries each.
constexpr int kEverydayWriters = 4;
constexpr int kEverydayWriterEntries = 40;

// The child: writes its own entries one write at a time. The argument is the
// file's path, a blank, the prefix of the entries' names, a blank, and how
// many entries to write.
int WriteOwnEntries(const std::string& argument) {
  const std::size_t countAt = argument.rfind(' ');
  const std::size_t prefixAt = argument.rfind(' ', countAt - 1);
  const std::string path = argument.substr(0, prefixAt);
  const std::string prefix = argument.substr(prefixAt + 1, countAt - prefixAt - 1);
  const int entries = std::stoi(argument.substr(countAt + 1));
  int failures = 0;
  for (int i = 1; i <= entries; ++i)
    failures += rt::PutIni("s", prefix + std::to_string(i), std::to_string(i), path) ? 0 : 1;
  return failures == 0 ? 0 : 1;
}
[[maybe_unused]] const bool servesOwnEntries = quibra_test::ChildProcess::Serve("own-entries", &WriteOwnEntries);

TEST(IniSharing, WritersInSeveralProcessesLoseNoEntry) {
  const int writerCount = TestSize("QUIBRA_INI_WRITERS", kEverydayWriters);
  const int entries = TestSize("QUIBRA_INI_WRITER_ENTRIES", kEverydayWriterEntries);
  FileTestDir dir;
  const std::string path = dir.Path("shared.ini");
  FileTestDir::Write(path, "[s]\r\nfirst=1\r\n");
  std::vector<std::string> prefixes;
  for (int w = 0; w < writerCount; ++w) prefixes.push_back("w" + std::to_string(w) + "_");
  std::vector<quibra_test::ChildProcess> writers;
  for (const std::string& prefix : prefixes) {
    writers.push_back(quibra_test::ChildProcess::Start("own-entries", &WriteOwnEntries,
                                                       path + " " + prefix + " " + std::to_string(entries)));
    ASSERT_TRUE(writers.back().Started());
  }
  for (quibra_test::ChildProcess& writer : writers) EXPECT_EQ(writer.Wait(), 0) << "every write of a child succeeded";
  int lost = 0;
  for (const std::string& prefix : prefixes)
    for (int i = 1; i <= entries; ++i)
      lost += rt::GetIni("s", prefix + std::to_string(i), "lost", path) == std::to_string(i) ? 0 : 1;
  EXPECT_EQ(lost, 0) << "of " << prefixes.size() * entries << " entries";
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
