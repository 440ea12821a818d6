// The platform's file primitives: access modes, sharing between openers in
// one process and in two, appends, reads, the atomic replace and the codes
// each fault is reported with.
#include <gtest/gtest.h>

#include "FileTestDir.h"
#include "platform/AccessMode.h"
#include "platform/FileSystem.h"
#include "platform/OsFile.h"
#include "support/ChildProcess.h"

namespace {

using quibra_test::FileTestDir;

struct DecodeCase {
  const char* label;
  uint8_t mode;
  bool valid, read, write, denyRead, denyWrite;
};

TEST(FileAccessMode, DecodesAccessAndSharing) {
  const DecodeCase cases[] = {
      {"read, compatibility = deny write", 0x00, true, true, false, false, true},
      {"write, compatibility", 0x01, true, false, true, false, true},
      {"read write, deny all", 0x12, true, true, true, true, true},
      {"read, deny write", 0x20, true, true, false, false, true},
      {"read write, deny read", 0x32, true, true, true, true, false},
      {"read write, deny none (the log's 66)", 0x42, true, true, true, false, false},
      {"bits 2-3 carry nothing", 0x4E, true, true, true, false, false},
      {"access 3 is no access", 0x43, false, false, false, false, false},
      {"sharing 0x50 is unknown", 0x50, false, false, false, false, false},
      {"sharing 0xF0 is unknown", 0xF2, false, false, false, false, false},
  };
  for (const auto& c : cases) {
    os::AccessMode m;
    m.read = m.write = m.denyRead = m.denyWrite = true;  // must stay untouched when invalid
    bool valid = os::AccessMode::Decode(c.mode, m);
    EXPECT_EQ(valid, c.valid) << c.label;
    if (!valid) {
      EXPECT_TRUE(m.read && m.write && m.denyRead && m.denyWrite) << c.label;
      continue;
    }
    EXPECT_EQ(m.read, c.read) << c.label;
    EXPECT_EQ(m.write, c.write) << c.label;
    EXPECT_EQ(m.denyRead, c.denyRead) << c.label;
    EXPECT_EQ(m.denyWrite, c.denyWrite) << c.label;
  }
}

struct SharingCase {
  const char* label;
  uint8_t first, second;
  bool secondOpens;
};

const SharingCase kSharing[] = {
    {"two readers sharing all", 0x40, 0x40, true},
    {"two writers sharing all (two logs)", 0x42, 0x42, true},
    {"deny all keeps a reader out", 0x12, 0x40, false},
    {"deny read keeps a reader out", 0x30, 0x40, false},
    {"deny read lets a write-only opener in", 0x31, 0x41, true},
    {"deny write keeps a writer out", 0x20, 0x41, false},
    {"deny write lets a reader in", 0x20, 0x40, true},
    {"two readers that deny write", 0x20, 0x20, true},
    {"cannot deny write while another writes", 0x42, 0x20, false},
    {"cannot deny read while another reads", 0x40, 0x30, false},
    {"compatibility readers share", 0x00, 0x00, true},
    {"compatibility writers do not", 0x02, 0x02, false},
};

TEST(FileSharing, SecondOpenerInTheSameProcessFollowsTheFirstsSharing) {
  FileTestDir dir;
  std::string path = dir.Path("shared.dat");
  FileTestDir::Write(path, "data\n");
  for (const auto& c : kSharing) {
    os::OsFile first, second;
    ASSERT_TRUE(first.Open(path, c.first).ok()) << c.label;
    os::IoStatus s = second.Open(path, c.second);
    EXPECT_EQ(s.code, c.secondOpens ? os::IoOk : os::IoDenied) << c.label;
    EXPECT_EQ(second.IsOpen(), c.secondOpens) << c.label;
    // What the first held is given up with it.
    first.Close();
    if (!c.secondOpens) {
      EXPECT_TRUE(second.Open(path, c.second).ok()) << c.label << " (after the first closed)";
    }
  }
}

// The child holds the file open with the mode it is given until the parent
// lets it go, and tells the parent when it holds it.
int HoldFile(const std::string& argument) {
  std::size_t bar = argument.find('|');
  std::string path = argument.substr(0, bar);
  uint8_t mode = static_cast<uint8_t>(std::stoi(argument.substr(bar + 1)));
  os::OsFile file;
  if (!file.Open(path, mode).ok()) return 3;
  FileTestDir::Write(path + ".held", "");
  if (!quibra_test::AwaitFile(path + ".release")) return 4;
  return 0;
}
[[maybe_unused]] const bool servesHold = quibra_test::ChildProcess::Serve("hold-file", &HoldFile);

TEST(FileSharing, AnotherProcessHoldingTheFileIsHonouredUntilItEnds) {
  FileTestDir dir;
  std::string path = dir.Path("held.dat");
  FileTestDir::Write(path, "data\n");
  quibra_test::ChildProcess child =
      quibra_test::ChildProcess::Start("hold-file", &HoldFile, path + "|" + std::to_string(0x12));
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(quibra_test::AwaitFile(path + ".held"));

  os::OsFile mine;
  EXPECT_EQ(mine.Open(path, 0x40).code, os::IoDenied) << "a reader while another program denies all";
  EXPECT_EQ(os::CreateEmpty(path).code, os::IoDenied) << "emptying while another program denies writing";

  FileTestDir::Write(path + ".release", "");
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_TRUE(mine.Open(path, 0x40).ok()) << "after the other program closed the file";
  EXPECT_EQ(FileTestDir::Read(path), "data\n") << "the refused emptying lost nothing";
}

TEST(FileSharing, AKilledHolderLeavesNoSharingBehind) {
  FileTestDir dir;
  std::string path = dir.Path("killed.dat");
  FileTestDir::Write(path, "data\n");
  quibra_test::ChildProcess child =
      quibra_test::ChildProcess::Start("hold-file", &HoldFile, path + "|" + std::to_string(0x12));
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(quibra_test::AwaitFile(path + ".held"));
  os::OsFile mine;
  EXPECT_EQ(mine.Open(path, 0x42).code, os::IoDenied);
  EXPECT_TRUE(child.Kill());
  EXPECT_EQ(child.Wait(), -1);
  EXPECT_TRUE(mine.Open(path, 0x42).ok());
}

TEST(FileAppend, OpenersSharingAFileEachWriteAtItsEnd) {
  FileTestDir dir;
  std::string path = dir.Path("log.txt");
  FileTestDir::Write(path, "start\n");
  os::OsFile a, b;
  ASSERT_TRUE(a.Open(path, 0x42).ok());
  ASSERT_TRUE(b.Open(path, 0x42).ok());
  EXPECT_TRUE(a.Append("a\n").ok());
  EXPECT_TRUE(b.Append("b\n").ok());
  EXPECT_TRUE(a.Append("c\n").ok());
  EXPECT_TRUE(a.Flush().ok());
  std::string all;
  EXPECT_TRUE(b.ReadAll(all).ok());
  EXPECT_EQ(all, "start\na\nb\nc\n");
  uint64_t size = 0;
  EXPECT_TRUE(a.Size(size).ok());
  EXPECT_EQ(size, all.size());
}

TEST(FileAppend, RefusesWhatTheModeDoesNotAllow) {
  FileTestDir dir;
  std::string path = dir.Path("ro.txt");
  FileTestDir::Write(path, "x");
  os::OsFile file;
  EXPECT_EQ(file.Open(path, 0x43).code, os::IoBadArgument);
  EXPECT_FALSE(file.IsOpen());
  ASSERT_TRUE(file.Open(path, 0x40).ok());
  EXPECT_EQ(file.Append("more").code, os::IoDenied);
  EXPECT_EQ(FileTestDir::Read(path), "x");
}

struct FaultCase {
  const char* label;
  std::string (*path)(const FileTestDir&);
  int32_t code;
};

const FaultCase kFaults[] = {
    {"missing file", [](const FileTestDir& d) { return d.Path("none.txt"); }, os::IoNotFound},
    {"missing folder", [](const FileTestDir& d) { return d.Path("no-folder/none.txt"); }, os::IoPathNotFound},
    {"a folder, not a file", [](const FileTestDir& d) { return d.Root(); }, os::IoDenied},
};

TEST(FileFaults, OpenAndReadReportTheRuntimesCodes) {
  FileTestDir dir;
  for (const auto& c : kFaults) {
    std::string path = c.path(dir);
    os::OsFile file;
    EXPECT_EQ(file.Open(path, 0x40).code, c.code) << c.label << ": open";
    std::string out = "untouched";
    EXPECT_EQ(os::ReadAll(path, out).code, c.code) << c.label << ": read";
    EXPECT_EQ(out, "untouched") << c.label;
  }
}

TEST(FileStat, TellsMissingFilesFoldersAndSizes) {
  FileTestDir dir;
  os::FileInfo info;
  EXPECT_TRUE(os::Stat(dir.Path("none"), info).ok());
  EXPECT_FALSE(info.exists);
  EXPECT_FALSE(os::Exists(dir.Path("none")));
  EXPECT_TRUE(os::Stat(dir.Root(), info).ok());
  EXPECT_TRUE(info.exists && info.directory);
  FileTestDir::Write(dir.Path("five"), "12345");
  EXPECT_TRUE(os::Stat(dir.Path("five"), info).ok());
  EXPECT_TRUE(info.exists && !info.directory);
  EXPECT_EQ(info.size, 5u);
  EXPECT_TRUE(os::Exists(dir.Path("five")));
}

TEST(FileCreate, MakesOrEmptiesAFileUnlessAnotherOpenerDeniesWriting) {
  FileTestDir dir;
  std::string path = dir.Path("new.txt");
  EXPECT_TRUE(os::CreateEmpty(path).ok());
  EXPECT_TRUE(os::Exists(path));
  FileTestDir::Write(path, "old");
  {
    os::OsFile holder;
    ASSERT_TRUE(holder.Open(path, 0x20).ok());
    EXPECT_EQ(os::CreateEmpty(path).code, os::IoDenied);
    EXPECT_EQ(FileTestDir::Read(path), "old") << "nothing lost when refused";
  }
  os::OsFile sharer;
  ASSERT_TRUE(sharer.Open(path, 0x40).ok());
  EXPECT_TRUE(os::CreateEmpty(path).ok());
  EXPECT_EQ(FileTestDir::Read(path), "");
  EXPECT_EQ(os::CreateEmpty(dir.Path("no-folder/x")).code, os::IoPathNotFound);
}

TEST(FileReplace, WritesWholeNewContentAndLeavesNoTemporaryFile) {
  FileTestDir dir;
  std::string path = dir.Path("a.ini");
  EXPECT_TRUE(os::AtomicReplace(path, "first").ok());
  EXPECT_EQ(FileTestDir::Read(path), "first");
  EXPECT_TRUE(os::AtomicReplace(path, "second, longer").ok());
  EXPECT_TRUE(os::AtomicReplace(path, "3").ok());
  EXPECT_EQ(FileTestDir::Read(path), "3");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.ini"});
}

TEST(FileReplace, RefusesWithoutTouchingAnything) {
  FileTestDir dir;
  std::string locked = dir.Path("locked.ini");
  FileTestDir::Write(locked, "keep");
  FileTestDir::MakeReadOnly(locked);
  EXPECT_EQ(os::AtomicReplace(locked, "new").code, os::IoDenied) << "a read-only file";
  EXPECT_EQ(FileTestDir::Read(locked), "keep");
  EXPECT_EQ(os::AtomicReplace(dir.Path("no-folder/x.ini"), "new").code, os::IoPathNotFound);
  std::filesystem::create_directory(dir.Path("folder"));
  EXPECT_EQ(os::AtomicReplace(dir.Path("folder"), "new").code, os::IoDenied) << "a folder";
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder", "locked.ini"}));
}

// A new file gets the permissions of any file the program makes (the umask
// applies); a replaced file keeps its own.
TEST(FileReplace, ANewFileFollowsTheUmaskAndAReplacedOneKeepsItsMode) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no POSIX permissions.";
#else
  using std::filesystem::perms;
  FileTestDir dir;
  std::string reference = dir.Path("made-by-the-library");
  FileTestDir::Write(reference, "x");
  const perms usual = std::filesystem::status(reference).permissions();
  if ((usual & perms::others_write) != perms::none) GTEST_SKIP() << "the umask lets everyone write new files";
  std::string fresh = dir.Path("new.ini");
  ASSERT_TRUE(os::AtomicReplace(fresh, "new").ok());
  EXPECT_EQ(std::filesystem::status(fresh).permissions(), usual);

  const perms kept[] = {perms::owner_read | perms::owner_write,
                        perms::owner_read | perms::owner_write | perms::group_read | perms::others_write};
  for (perms mode : kept) {
    std::string path = dir.Path("old.ini");
    FileTestDir::Write(path, "old");
    std::filesystem::permissions(path, mode);
    ASSERT_TRUE(os::AtomicReplace(path, "new").ok());
    EXPECT_EQ(std::filesystem::status(path).permissions(), mode) << static_cast<int>(mode);
    EXPECT_EQ(FileTestDir::Read(path), "new");
  }
#endif
}

TEST(FileRemove, RemovesAndToleratesAMissingFile) {
  FileTestDir dir;
  std::string path = dir.Path("gone");
  FileTestDir::Write(path, "x");
  EXPECT_TRUE(os::Remove(path).ok());
  EXPECT_FALSE(os::Exists(path));
  EXPECT_TRUE(os::Remove(path).ok());
}

}  // namespace
