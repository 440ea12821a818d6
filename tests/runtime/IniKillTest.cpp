// A writer killed at any moment never leaves a torn INI file: after each
// kill the file holds one whole version, old or new.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "FileTestDir.h"
#include "platform/ChildProcess.h"
#include "runtime/Ini.h"
#include "runtime/Text.h"

namespace {

using quibra_test::FileTestDir;

// The child: counts the entry up for ever, one write after another.
int WriteForever(const std::string& path) {
  int64_t n = rt::ToNumber(rt::GetIni("s", "k", "0", path));
  for (;;) rt::PutIni("s", "k", std::to_string(++n), path);
}
[[maybe_unused]] const bool servesWriter = os::ChildProcess::Serve("ini-writer", &WriteForever);

// Every process start costs seconds under Wine, so the 32-bit build kills
// fewer writers; each kill still lands while the writer is busy writing.
#ifdef _WIN32
constexpr int kKills = 20;
#else
constexpr int kKills = 60;
#endif

// The number the file holds, or -1 when the file is not exactly `prefix`
// followed by one whole "k=<number>" line.
int64_t WholeVersion(const std::string& bytes, const std::string& prefix) {
  if (bytes.compare(0, prefix.size(), prefix) != 0) return -1;
  std::string tail = bytes.substr(prefix.size());
  if (tail.size() < 5 || tail.compare(0, 2, "k=") != 0 || tail.compare(tail.size() - 2, 2, "\r\n") != 0) return -1;
  std::string digits = tail.substr(2, tail.size() - 4);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
  return rt::ToNumber(digits);
}

TEST(IniCrashSafety, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  FileTestDir dir;
  std::string path = dir.Path("killed.ini");
  // A file large enough that writing it takes a while, so that kills land
  // in the middle of writes, not only between them.
  std::string prefix = "[s]\r\n";
  for (int i = 0; i < 3000; ++i) prefix += "fill" + std::to_string(i) + "=" + std::string(40, 'a' + i % 26) + "\r\n";
  FileTestDir::Write(path, prefix + "k=0\r\n");

  std::mt19937 random(std::random_device{}());
  int64_t last = 0;
  int killedWhileWriting = 0;
  for (int round = 0; round < kKills; ++round) {
    os::ChildProcess writer = os::ChildProcess::Start("ini-writer", &WriteForever, path);
    ASSERT_TRUE(writer.Started());
    // Wait for the writer to be at work, then let it run a random while.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (rt::ToNumber(rt::GetIni("s", "k", "0", path)) <= last && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30000)(random)));
    killedWhileWriting += writer.Kill() ? 1 : 0;
    EXPECT_EQ(writer.Wait(), -1);

    int64_t version = WholeVersion(FileTestDir::Read(path), prefix);
    ASSERT_GE(version, 0) << "round " << round << ": the file is torn";
    ASSERT_GE(version, last) << "round " << round << ": an older version came back";
    EXPECT_EQ(rt::GetIni("s", "k", "", path), std::to_string(version)) << "round " << round;
    last = version;
  }
  EXPECT_EQ(killedWhileWriting, kKills) << "every writer was still writing when it was killed";
  EXPECT_GT(last, kKills) << "the writers made progress between kills";
}

// What a writer killed in the middle leaves (its temporary file) is removed by
// the next write to the file, once nothing can be writing it: its process has
// ended and it has not been written to for a minute.
int ExitAtOnce(const std::string&) { return 0; }
int SleepForever(const std::string&) {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}
[[maybe_unused]] const bool servesEnded = os::ChildProcess::Serve("ended", &ExitAtOnce);
[[maybe_unused]] const bool servesSleeper = os::ChildProcess::Serve("sleeper", &SleepForever);

// The name the writer with this process number gives its temporary file.
std::string TemporaryName(int64_t process, int number) {
#ifdef _WIN32
  return "~qb" + std::to_string(process) + "-" + std::to_string(number) + ".tmp";
#else
  return "killed.ini." + std::to_string(process) + "-" + std::to_string(number) + ".tmp";
#endif
}

TEST(IniCrashSafety, ANewWriteRemovesTheTemporaryFilesOfEndedWritersOnly) {
  os::ChildProcess ended = os::ChildProcess::Start("ended", &ExitAtOnce, "");
  os::ChildProcess running = os::ChildProcess::Start("sleeper", &SleepForever, "");
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
