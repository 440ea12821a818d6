// Writing INI files: what changes, what stays byte for byte, when nothing is
// written at all, and what is refused.
#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "FileTestDir.h"
#include "runtime/ErrorState.h"
#include "runtime/Ini.h"

namespace {

using quibra_test::FileTestDir;

struct WriteCase {
  const char* label;
  std::string before;
  const char* section;
  const char* entry;
  const char* value;
  std::string after;
};

const std::string kBom = "\xEF\xBB\xBF";

const WriteCase kWrites[] = {
    {"change a value", "[s]\r\na=1\r\nb=2\r\n", "s", "a", "9", "[s]\r\na=9\r\nb=2\r\n"},
    {"change keeps the name's spelling and blanks", "[S]\r\n  Key = old\r\n", "s", "key", "new",
     "[S]\r\n  Key = new\r\n"},
    {"change in an LF file ends only that line with CRLF", "[s]\na=1\nb=2\n", "s", "a", "9", "[s]\na=9\r\nb=2\n"},
    {"change the last line of a file without a final line end", "[s]\r\nx=1", "s", "x", "2", "[s]\r\nx=2\r\n"},
    {"change keeps mixed line ends elsewhere", "[s]\rx=1\ny=2\r\n", "s", "y", "3", "[s]\rx=1\ny=3\r\n"},
    {"add an entry at the end of its section", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
    {"add an entry before a comment about the next section", "[a]\r\nx=1\r\n; about b\r\n[b]\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n; about b\r\n[b]\r\n"},
    {"add an entry to an empty section", "[a]\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\n"},
    {"add an entry to a file without a final line end", "[a]\r\nx=1", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n"},
    {"add a section at the end", "[a]\r\nx=1\r\n", "b", "k", "v", "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
    {"add a section after a blank last line", "[a]\r\nx=1\r\n\r\n", "b", "k", "v", "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
    {"add a section to a file without a final line end", "[a]\r\nx=1", "b", "k", "v",
     "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
    {"a new file", "", " s ", " k ", "v", "[s]\r\nk=v\r\n"},
    {"a byte-order mark is kept", kBom + "[a]\r\nx=1\r\n", "a", "x", "2", kBom + "[a]\r\nx=2\r\n"},
    {"a file of only a byte-order mark", kBom, "a", "k", "v", kBom + "[a]\r\nk=v\r\n"},
    {"the first of two sections is written", "[a]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "x", "3",
     "[a]\r\nx=3\r\n[a]\r\nx=2\r\n"},
    {"an entry only in the second section goes to the first", "[a]\r\n[b]\r\n[a]\r\ny=2\r\n", "a", "y", "5",
     "[a]\r\ny=5\r\n[b]\r\n[a]\r\ny=2\r\n"},
    {"names match without case", "[Sec]\r\nKEY=1\r\n", "sec", "key", "2", "[Sec]\r\nKEY=2\r\n"},
    {"blanks at a value's ends are kept by quoting", "[s]\r\n", "s", "k", " v ", "[s]\r\nk=\" v \"\r\n"},
    {"a leading blank alone is kept by quoting", "[s]\r\n", "s", "k", " a", "[s]\r\nk=\" a\"\r\n"},
    {"a trailing blank alone is kept by quoting", "[s]\r\nk=1\r\n", "s", "k", "a ", "[s]\r\nk=\"a \"\r\n"},
    {"a tab alone at the end is kept by quoting", "[s]\r\n", "s", "k", "a\t", "[s]\r\nk=\"a\t\"\r\n"},
    {"a quoted value keeps its quotes", "[s]\r\n", "s", "k", "\"q\"", "[s]\r\nk=\"\"q\"\"\r\n"},
    {"an empty value", "[s]\r\nk=1\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
    {"an entry above the first section", "[s]\r\nk=1\r\n", "", "top", "v", "top=v\r\n[s]\r\nk=1\r\n"},
    {"above the first section, after the entries there", "a=1\r\n\r\n[s]\r\n", "", "b", "2",
     "a=1\r\nb=2\r\n\r\n[s]\r\n"},
    {"change an entry above the first section, not one of a section", "a=1\r\n[s]\r\na=2\r\n", "", "a", "9",
     "a=9\r\n[s]\r\na=2\r\n"},
    {"above a comment about the first section, under a blank name", "; about s\r\n[s]\r\n", "  ", "k", "v",
     "k=v\r\n; about s\r\n[s]\r\n"},
    {"a new file of entries above any section", "", "", "k", "v", "k=v\r\n"},
    {"above the first section, after a byte-order mark", kBom + "[a]\r\n", "", "k", "v", kBom + "k=v\r\n[a]\r\n"},
    {"a name starting with a UTF-16 mark, first in a file, gives the file no mark", "", "", "\xFF\xFEk", "v",
     "\r\n\xFF\xFEk=v\r\n"},
    {"a name starting with a UTF-8 mark, first in a file, gives the file no mark", "[s]\r\n", "", "\xEF\xBB\xBFk", "v",
     "\r\n\xEF\xBB\xBFk=v\r\n[s]\r\n"},
    {"[] is no header of the nameless section", "[]\r\nk=1\r\n", "", "k", "2", "k=2\r\n[]\r\nk=1\r\n"},
    {"binary junk lines are kept", std::string("\x01\0junk\r\n[a]\r\nx=1\r\n", 19), "a", "x", "2",
     std::string("\x01\0junk\r\n[a]\r\nx=2\r\n", 19)},
};

TEST(IniWrite, ChangesOnlyWhatItMustAndReadsBack) {
  FileTestDir dir;
  int n = 0;
  for (const auto& c : kWrites) {
    std::string path = dir.Path("write" + std::to_string(n++) + ".ini");
    if (!c.before.empty()) FileTestDir::Write(path, c.before);
    rt::SetError(rt::ErrAccessDenied);
    EXPECT_TRUE(rt::PutIni(c.section, c.entry, c.value, path)) << c.label;
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone) << c.label;
    EXPECT_EQ(FileTestDir::Read(path), c.after) << c.label;
    EXPECT_EQ(rt::GetIni(c.section, c.entry, "default", path), c.value) << c.label << " (read back)";
  }
  EXPECT_EQ(dir.Names().size(), n) << "no temporary file is left behind";
}

struct UnchangedCase {
  const char* label;
  std::string file;
  const char* value;
};

TEST(IniWrite, TheSameValueLeavesTheFileUntouched) {
  const UnchangedCase cases[] = {
      {"the same text", "[s]\nk=1\n", "1"},
      {"the same value in other spelling", "[S]\n  K = \"1\"  ", "1"},
      {"an empty value", "[s]\nk=\n", ""},
  };
  FileTestDir dir;
  auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  int n = 0;
  for (const auto& c : cases) {
    std::string path = dir.Path("same" + std::to_string(n++) + ".ini");
    FileTestDir::Write(path, c.file);
    std::filesystem::last_write_time(path, longAgo);
    auto stamp = std::filesystem::last_write_time(path);  // as the file system keeps it
    EXPECT_TRUE(rt::PutIni("s", "k", c.value, path)) << c.label;
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone) << c.label;
    EXPECT_EQ(FileTestDir::Read(path), c.file) << c.label;
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp) << c.label << ": the file was written";
  }
}

struct RefusalCase {
  const char* label;
  std::string section;
  std::string entry;
  std::string value;
};

TEST(IniWrite, UnsafeNamesAndValuesAreRefusedAndNothingIsWritten) {
  const RefusalCase cases[] = {
      {"CR in a value", "s", "k", "a\rb"},
      {"LF in a value", "s", "k", "a\nb"},
      {"NUL in a value", "s", "k", std::string("a\0b", 3)},
      {"LF in an entry", "s", "k\nx", "v"},
      {"NUL in a section", std::string("s\0t", 3), "k", "v"},
      {"= in an entry", "s", "a=b", "v"},
      {"an entry starting with [", "s", "[k", "v"},
      {"an entry starting with ;", "s", " ;k", "v"},
      {"] in a section", "s]x", "k", "v"},
      {"an empty entry", "s", "", "v"},
      {"a blank entry", "s", "   ", "v"},
  };
  FileTestDir dir;
  std::string existing = dir.Path("existing.ini");
  const std::string content = "[s]\r\nk=old\r\n";
  FileTestDir::Write(existing, content);
  for (const auto& c : cases) {
    for (const std::string& path : {existing, dir.Path("new.ini")}) {
      rt::ClearError();
      EXPECT_FALSE(rt::PutIni(c.section, c.entry, c.value, path)) << c.label;
      EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument) << c.label;
    }
    EXPECT_EQ(FileTestDir::Read(existing), content) << c.label;
  }
  EXPECT_FALSE(rt::PutIni("s", "k", "v", ""));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"existing.ini"}) << "no file was made";
}

TEST(IniWrite, FilesThatCannotBeWrittenReportWhy) {
  FileTestDir dir;
  std::string readOnly = dir.Path("ro.ini");
  FileTestDir::Write(readOnly, "[s]\r\nk=1\r\n");
  FileTestDir::MakeReadOnly(readOnly);
  EXPECT_FALSE(rt::PutIni("s", "k", "2", readOnly));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
  EXPECT_EQ(FileTestDir::Read(readOnly), "[s]\r\nk=1\r\n");
  EXPECT_FALSE(rt::PutIni("s", "k", "2", dir.Path("no-folder/a.ini")));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrPathNotFound);
  EXPECT_FALSE(rt::PutIni("s", "k", "2", dir.Root()));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"ro.ini"});
}

// A write that fails once its temporary file is made (here the disk is as
// good as full: the process may make no file larger than 64 bytes) reports
// the fault, keeps the file as it was and leaves no temporary file behind.
TEST(IniWrite, AWriteThatFailsAfterMakingItsTemporaryFileLeavesNoneBehind) {
#ifdef _WIN32
  GTEST_SKIP() << "The size limit on the files a process writes is a POSIX one.";
#else
  FileTestDir dir;
  const std::string path = dir.Path("full.ini");
  const std::string before = "[s]\r\nk=1\r\n";
  FileTestDir::Write(path, before);
  rlimit was{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &was), 0);
  rlimit small = was;
  small.rlim_cur = 64;
  // Past the limit a write fails with EFBIG, once this signal is ignored.
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = rt::PutIni("s", "k", std::string(200, 'v'), path);
  const int32_t code = rt::ErrorCode();
  setrlimit(RLIMIT_FSIZE, &was);
  std::signal(SIGXFSZ, handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(code, rt::ErrFileSystem);
  EXPECT_EQ(FileTestDir::Read(path), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"full.ini"}) << "no temporary file is left behind";
#endif
}

// A settings path that is a symbolic link stays one: the write goes to the
// file it names, which is made when it is missing.
struct LinkCase {
  const char* label;
  const char* existing;  // the target's content, or null when it is missing
  bool relative;         // the link names its target relative to its folder
  bool chained;          // through a second link
};

TEST(IniWrite, WritesThroughSymbolicLinksEvenToAMissingFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Making symbolic links needs a privilege on Windows.";
#else
  const LinkCase cases[] = {
      {"a link to a file", "[s]\r\nk=old\r\n", false, false},
      {"a link to a missing file", nullptr, false, false},
      {"a relative link to a missing file", nullptr, true, false},
      {"a link to a link to a missing file", nullptr, true, true},
  };
  namespace fs = std::filesystem;
  int n = 0;
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.label);
    FileTestDir dir;
    fs::create_directory(dir.Path("real"));
    const std::string target = dir.Path("real/settings" + std::to_string(n++) + ".ini");
    if (c.existing) FileTestDir::Write(target, c.existing);
    const fs::path named = c.relative ? fs::path("real") / fs::path(target).filename() : fs::path(target);
    const std::string link = dir.Path("link.ini");
    if (c.chained) {
      fs::create_symlink(named, dir.Path("middle.ini"));
      fs::create_symlink("middle.ini", link);
    } else {
      fs::create_symlink(named, link);
    }
    ASSERT_TRUE(rt::PutIni("s", "k", "v", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileTestDir::Read(target), "[s]\r\nk=v\r\n");
    EXPECT_EQ(rt::GetIni("s", "k", "", link), "v");
  }
#endif
}

TEST(IniWrite, ABareFileNameMeansTheCurrentFolder) {
  FileTestDir dir;
  auto was = std::filesystem::current_path();
  std::filesystem::current_path(dir.Root());
  bool written = rt::PutIni("s", "k", "here", "bare.ini");
  std::string read = rt::GetIni("s", "k", "", "bare.ini");
  std::filesystem::current_path(was);
  EXPECT_TRUE(written);
  EXPECT_EQ(read, "here");
  EXPECT_EQ(FileTestDir::Read(dir.Path("bare.ini")), "[s]\r\nk=here\r\n");
}

TEST(IniWrite, AReadAfterAWriteSeesItWhateverThePathsSpelling) {
  FileTestDir dir;
  std::string path = dir.Path("a.ini");
  std::string other = dir.Root() + "/./a.ini";
  ASSERT_TRUE(rt::PutIni("s", "k", "1", path));
  ASSERT_EQ(rt::GetIni("s", "k", "", path), "1");
  ASSERT_TRUE(rt::PutIni("s", "k", "2", other));
  EXPECT_EQ(rt::GetIni("s", "k", "", path), "2");
  EXPECT_EQ(rt::GetIni("s", "k", "", other), "2");
}

TEST(IniWrite, AMegabyteLineIsKeptByteForByte) {
  FileTestDir dir;
  std::string path = dir.Path("big.ini");
  std::string huge = "[s]\r\nbig=" + std::string(1 << 20, 'x') + "\r\n";
  FileTestDir::Write(path, huge);
  EXPECT_TRUE(rt::PutIni("s", "k", "v", path));
  EXPECT_EQ(FileTestDir::Read(path), huge + "k=v\r\n");
}

TEST(IniWrite, ThreadsWritingOneFileLoseNoChange) {
  FileTestDir dir;
  std::string path = dir.Path("threads.ini");
  auto writer = [&path](const char* entry) {
    for (int i = 1; i <= 25; ++i) rt::PutIni("s", entry + std::to_string(i), std::to_string(i), path);
  };
  std::thread a(writer, "a"), b(writer, "b");
  a.join();
  b.join();
  for (int i = 1; i <= 25; ++i) {
    EXPECT_EQ(rt::GetIni("s", "a" + std::to_string(i), "lost", path), std::to_string(i));
    EXPECT_EQ(rt::GetIni("s", "b" + std::to_string(i), "lost", path), std::to_string(i));
  }
}

}  // namespace
