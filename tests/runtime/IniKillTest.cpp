// A writer killed at any moment never leaves a torn INI file: after each
// kill the file holds one whole version, old or new.
#include <gtest/gtest.h>

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

}  // namespace
