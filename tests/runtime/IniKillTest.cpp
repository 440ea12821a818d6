// A writer killed at any moment never leaves a torn INI file: after each
// kill the file holds one whole version, old or new.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "FileTestDir.h"
#include "runtime/Ini.h"
#include "runtime/Text.h"
#include "support/ChildProcess.h"
#include "support/TestSize.h"

namespace {

using quibra_test::FileTestDir;
using quibra_test::TestSize;

// The child: writes a list of entries "k1" to "kN", all holding one number,
// as one write (a batch), and counts the number up for ever. The argument is
// the file's path, a blank, and N.
int WriteForever(const std::string& argument) {
  const std::size_t blank = argument.rfind(' ');
  const std::string path = argument.substr(0, blank);
  const int entries = std::stoi(argument.substr(blank + 1));
  int64_t n = rt::ToNumber(rt::GetIni("s", "k1", "0", path));
  for (;;) {
    rt::IniBatch batch(path);
    ++n;
    for (int i = 1; i <= entries; ++i) rt::PutIni("s", "k" + std::to_string(i), std::to_string(n), path);
  }
}
[[maybe_unused]] const bool servesWriter = quibra_test::ChildProcess::Serve("ini-writer", &WriteForever);

// Every process start costs seconds under Wine, so the Windows build kills
// fewer writers; each kill still lands while the writer is busy writing.
// `make stress` asks for 1000 kills of a writer of a 200-entry list.
#ifdef _WIN32
constexpr int kEverydayKills = 20;
#else
constexpr int kEverydayKills = 60;
#endif
constexpr int kEverydayEntries = 20;

// The number the file holds, or -1 when the file is not exactly `prefix`
// followed by the whole list, "k1=<n>" to "k<entries>=<n>" with one number.
int64_t WholeVersion(const std::string& bytes, const std::string& prefix, int entries) {
  if (bytes.compare(0, prefix.size(), prefix) != 0) return -1;
  std::size_t at = prefix.size();
  int64_t version = -1;
  for (int i = 1; i <= entries; ++i) {
    const std::string name = "k" + std::to_string(i) + "=";
    const std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos || bytes.compare(at, name.size(), name) != 0) return -1;
    const std::string digits = bytes.substr(at + name.size(), end - at - name.size());
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    const int64_t n = rt::ToNumber(digits);
    if (version != -1 && n != version) return -1;
    version = n;
    at = end + 2;
  }
  return at == bytes.size() ? version : -1;
}

TEST(IniCrashSafety, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  const int kills = TestSize("QUIBRA_INI_KILLS", kEverydayKills);
  const int entries = TestSize("QUIBRA_INI_KILL_ENTRIES", kEverydayEntries);
  FileTestDir dir;
  std::string path = dir.Path("killed.ini");
  // A file large enough that writing it takes a while, so that kills land
  // in the middle of writes, not only between them.
  std::string prefix = "[s]\r\n";
  for (int i = 0; i < 3000; ++i) prefix += "fill" + std::to_string(i) + "=" + std::string(40, 'a' + i % 26) + "\r\n";
  std::string list;
  for (int i = 1; i <= entries; ++i) list += "k" + std::to_string(i) + "=0\r\n";
  FileTestDir::Write(path, prefix + list);
  ASSERT_EQ(WholeVersion(FileTestDir::Read(path), prefix, entries), 0);

  std::mt19937 random(std::random_device{}());
  int64_t last = 0;
  int killedWhileWriting = 0;
  for (int round = 0; round < kills; ++round) {
    quibra_test::ChildProcess writer =
        quibra_test::ChildProcess::Start("ini-writer", &WriteForever, path + " " + std::to_string(entries));
    ASSERT_TRUE(writer.Started());
    // Wait for the writer to be at work, then let it run a random while.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (rt::ToNumber(rt::GetIni("s", "k1", "0", path)) <= last && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30000)(random)));
    killedWhileWriting += writer.Kill() ? 1 : 0;
    EXPECT_EQ(writer.Wait(), -1);

    int64_t version = WholeVersion(FileTestDir::Read(path), prefix, entries);
    ASSERT_GE(version, 0) << "round " << round << ": the file is torn";
    ASSERT_GE(version, last) << "round " << round << ": an older version came back";
    EXPECT_EQ(rt::GetIni("s", "k" + std::to_string(entries), "", path), std::to_string(version)) << "round " << round;
    last = version;
  }
  EXPECT_EQ(killedWhileWriting, kills) << "every writer was still writing when it was killed";
  EXPECT_GT(last, kills) << "the writers made progress between kills";
}

// What a writer killed in the middle leaves (its temporary file) is removed by
// the next write to the file, once nothing can be writing it: its process has
// ended and it has not been written to for a minute.
int ExitAtOnce(const std::string&) { return 0; }
int SleepForever(const std::string&) {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}
[[maybe_unused]] const bool servesEnded = quibra_test::ChildProcess::Serve("ended", &ExitAtOnce);
[[maybe_unused]] const bool servesSleeper = quibra_test::ChildProcess::Serve("sleeper", &SleepForever);

// The name the writer with this process number gives its temporary file.
std::string TemporaryName(int64_t process, int number) {
#ifdef _WIN32
  return "~qb" + std::to_string(process) + "-" + std::to_string(number) + ".tmp";
#else
  return "killed.ini." + std::to_string(process) + "-" + std::to_string(number) + ".tmp";
#endif
}

TEST(IniCrashSafety, ANewWriteRemovesTheTemporaryFilesOfEndedWritersOnly) {
  quibra_test::ChildProcess ended = quibra_test::ChildProcess::Start("ended", &ExitAtOnce, "");
  quibra_test::ChildProcess running = quibra_test::ChildProcess::Start("sleeper", &SleepForever, "");
  ASSERT_TRUE(ended.Started() && running.Started());
  ASSERT_EQ(ended.Wait(), 0);
  struct Leftover {
    std::string name;
    bool old;      // last written an hour ago
    bool removed;  // by the write
  };
  const Leftover leftovers[] = {
      {TemporaryName(ended.Id(), 7), true, true},
      {TemporaryName(ended.Id(), 8), false, false},  // it may still be on its way to disk
      {TemporaryName(running.Id(), 0), true, false},
      {"killed.ini.x" + std::to_string(ended.Id()) + "-1.tmp", true, false},
      {"other.ini", true, false},
  };
  FileTestDir dir;
  const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const Leftover& l : leftovers) {
    FileTestDir::Write(dir.Path(l.name), "[s]\r\nk=torn");
    if (l.old) std::filesystem::last_write_time(dir.Path(l.name), longAgo);
  }
  ASSERT_TRUE(rt::PutIni("s", "k", "v", dir.Path("killed.ini")));
  for (const Leftover& l : leftovers) EXPECT_NE(std::filesystem::exists(dir.Path(l.name)), l.removed) << l.name;
}

}  // namespace
