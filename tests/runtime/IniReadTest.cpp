// Reading INI files: the profile semantics, damaged or odd files, and the
// parsed-file cache seeing every change made behind its back.
#include <gtest/gtest.h>

#include "FileTestDir.h"
#include "runtime/ErrorState.h"
#include "runtime/Ini.h"

namespace {

using quibra_test::FileTestDir;

struct ReadCase {
  const char* label;
  std::string file;
  const char* section;
  const char* entry;
  const char* fallback;
  std::string expected;
};

const char kJunk[] = "\x01\x02\xFF\0junk\r\n[s]\r\n\x7F\0x\r\nk=v\r\n";

const ReadCase kReads[] = {
    {"plain value", "[s]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"section and entry without case", "[Sec]\r\nKey=v\r\n", "sEC", "kEY", "d", "v"},
    {"blanks around names, = and value", "  [ s ]  \r\n  k  =  v w  \r\n", "s", "k", "d", "v w"},
    {"blanks around the names asked for", "[s]\r\nk=v\r\n", " s ", " k ", "d", "v"},
    {"tabs are blanks", "[s]\r\n\tk\t=\tv\t\r\n", "s", "k", "d", "v"},
    {"double quotes removed", "[s]\r\nk=\" v \"\r\n", "s", "k", "d", " v "},
    {"single quotes removed", "[s]\r\nk='v'\r\n", "s", "k", "d", "v"},
    {"mismatched quotes kept", "[s]\r\nk=\"v'\r\n", "s", "k", "d", "\"v'"},
    {"a lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "d", "\""},
    {"a comment line is no entry", "[s]\r\n;k=v\r\n", "s", "k", "d", "d"},
    {"an indented comment is no entry", "[s]\r\n  ; k=v\r\n", "s", "k", "d", "d"},
    {"a ; line with = is an entry of that name", "[s]\r\n;k=v\r\n", "s", ";k", "d", "v"},
    {"an indented ; entry", "[s]\r\n  ; k = v\r\n", "s", "; k", "d", "v"},
    {"a ; line without = is no entry", "[s]\r\n;k\r\n", "s", ";k", "d", "d"},
    {"; inside a value is text", "[s]\r\nk=v ; not a comment\r\n", "s", "k", "d", "v ; not a comment"},
    {"= inside a value is text", "[s]\r\nk=a=b\r\n", "s", "k", "d", "a=b"},
    {"a blank inside an entry name", "[s]\r\nmy key=v\r\n", "s", "my key", "d", "v"},
    {"first entry of a name wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "d", "1"},
    {"first section of a name wins", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "d", "1"},
    {"only the first section is read", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "s", "k", "d", "d"},
    {"an empty value is not missing", "[s]\r\nk=\r\n", "s", "k", "d", ""},
    {"missing entry gives the default", "[s]\r\nk=v\r\n", "s", "x", "d", "d"},
    {"missing section gives the default", "[s]\r\nk=v\r\n", "t", "k", "d", "d"},
    {"the default loses its trailing blanks", "", "s", "k", "  d  ", "  d"},
    {"a default in double quotes loses them", "", "s", "k", "\"d\"", "d"},
    {"a default in single quotes loses them", "", "s", "k", "'d'", "d"},
    {"blanks after a quoted default go first", "", "s", "k", "\" d \"  ", " d "},
    {"a default of two quotes is empty", "", "s", "k", "\"\"", ""},
    {"a default in mismatched quotes keeps them", "", "s", "k", "\"d'", "\"d'"},
    {"a default of one quote keeps it", "", "s", "k", "\"", "\""},
    {"entries before any section are in no named section", "k=v\r\n[s]\r\n", "s", "k", "d", "d"},
    {"entries before any section are read without a section name", "k=v\r\n[s]\r\n", "", "k", "d", "v"},
    {"a byte-order mark before an entry above the sections", "\xEF\xBB\xBFk=v\r\n", "", "k", "d", "v"},
    {"[] repeats the nameless section, which is never read twice", "[]\r\nk=v\r\n", "", "k", "d", "d"},
    {"a [ without ] above the sections is no section", "[t\r\nk=v\r\n", "", "k", "d", "v"},
    {"the last ] ends a section name", "[a]b]\r\nk=v\r\n", "a]b", "k", "d", "v"},
    {"a section name is not cut at its first ]", "[a]b]\r\nk=v\r\n", "a", "k", "d", "d"},
    {"a ] in text after the name moves its end", "[s] ; about [x]\r\nk=v\r\n", "s] ; about [x", "k", "d", "v"},
    {"a line without = is no entry", "[s]\r\nk\r\n", "s", "k", "d", "d"},
    {"a [ without ] starts no section", "[s]\r\n[t\r\nk=v\r\n", "s", "k", "d", "v"},
    {"text after ] is ignored", "[s] ; about s\r\nk=v\r\n", "s", "k", "d", "v"},
    {"entries of the next section are its own", "[s]\r\n[t]\r\nk=v\r\n", "s", "k", "d", "d"},
    {"LF lines", "[s]\nk=v\nj=w\n", "s", "j", "d", "w"},
    {"CR lines", "[s]\rk=v\rj=w\r", "s", "j", "d", "w"},
    {"mixed line ends", "[s]\rk=v\r\nj=w\n", "s", "j", "d", "w"},
    {"no final line end", "[s]\r\nk=v", "s", "k", "d", "v"},
    {"a byte-order mark before the first section", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"binary junk around an entry", std::string(kJunk, sizeof kJunk - 1), "s", "k", "d", "v"},
    {"an empty file", "", "s", "k", "d", "d"},
};

TEST(IniRead, FollowsTheProfileRules) {
  FileTestDir dir;
  int n = 0;
  for (const auto& c : kReads) {
    // A new file per case, so that no case reads another's parse.
    std::string path = dir.Path("read" + std::to_string(n++) + ".ini");
    FileTestDir::Write(path, c.file);
    rt::SetError(rt::ErrAccessDenied);
    EXPECT_EQ(rt::GetIni(c.section, c.entry, c.fallback, path), c.expected) << c.label;
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone) << c.label;
  }
}

TEST(IniRead, AMissingFileGivesTheDefaultAndNoError) {
  FileTestDir dir;
  rt::SetError(rt::ErrAccessDenied);
  EXPECT_EQ(rt::GetIni("s", "k", "fallback  ", dir.Path("none.ini")), "fallback");
  EXPECT_EQ(rt::ErrorCode(), rt::ErrNone);
  EXPECT_EQ(rt::GetIni("s", "k", "d", dir.Path("no-folder/none.ini")), "d");
  EXPECT_EQ(rt::ErrorCode(), rt::ErrNone);
}

TEST(IniRead, AFileThatCannotBeReadGivesTheDefaultAndAnError) {
  FileTestDir dir;
  EXPECT_EQ(rt::GetIni("s", "k", "d", dir.Root()), "d") << "a folder";
  EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
  EXPECT_EQ(rt::GetIni("s", "k", "d", ""), "d") << "no name";
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
}

TEST(IniRead, AFileTooLargeForSettingsIsRefusedNotRead) {
  FileTestDir dir;
  std::string path = dir.Path("huge.ini");
  FileTestDir::Write(path, "[s]\r\nk=v\r\n");
  std::filesystem::resize_file(path, (64u << 20) + 1);
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "d");
  EXPECT_EQ(rt::ErrorCode(), rt::ErrFileSystem);
  EXPECT_NE(rt::FileErrorText().find("too large"), std::string::npos) << rt::FileErrorText();
  EXPECT_FALSE(rt::PutIni("s", "k", "w", path));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrFileSystem);
  EXPECT_EQ(std::filesystem::file_size(path), (64u << 20) + 1) << "nothing written";
}

TEST(IniRead, MegabyteLinesAreReadWhole) {
  FileTestDir dir;
  std::string path = dir.Path("big.ini");
  std::string huge(1 << 20, 'x');
  FileTestDir::Write(path, "[s]\r\n" + huge + "\r\nbig=" + huge + "\r\nk=v");
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "v");
  EXPECT_EQ(rt::GetIni("s", "big", "d", path), huge);
}

TEST(IniRead, ManyEntriesOfOneFileAreAllFound) {
  FileTestDir dir;
  std::string path = dir.Path("list.ini");
  std::string file = "[List]\r\nItems=3000\r\n";
  for (int i = 1; i <= 3000; ++i) file += "Items_" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
  FileTestDir::Write(path, file);
  EXPECT_EQ(rt::GetIni("List", "Items", "", path), "3000");
  for (int i = 1; i <= 3000; ++i)
    ASSERT_EQ(rt::GetIni("List", "Items_" + std::to_string(i), "", path), "value " + std::to_string(i)) << i;
}

// The cache must never answer from a file that has changed: the checks below
// rewrite files the way other programs do, in place and at once.
TEST(IniCache, SeesAFileRewrittenInPlaceWithTheSameSize) {
  FileTestDir dir;
  std::string path = dir.Path("same.ini");
  for (int i = 0; i < 100; ++i) {
    FileTestDir::Write(path, "[s]\r\nk=" + std::to_string(i % 10) + "\r\n");
    ASSERT_EQ(rt::GetIni("s", "k", "d", path), std::to_string(i % 10)) << "round " << i;
  }
}

TEST(IniCache, SeesAFileRewrittenWithItsOldTimeOfWriting) {
#ifdef _WIN32
  GTEST_SKIP() << "On Windows the cache checks a file's size and times of writing and creation only (a query by "
                  "handle, which would give the time of last change, costs too much on every read), so a rewrite "
                  "in place that keeps both the size and an old time of writing is not seen.";
#endif
  FileTestDir dir;
  std::string path = dir.Path("stamped.ini");
  auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  FileTestDir::Write(path, "[s]\r\nk=1\r\n");
  std::filesystem::last_write_time(path, longAgo);
  ASSERT_EQ(rt::GetIni("s", "k", "d", path), "1");
  ASSERT_EQ(rt::GetIni("s", "k", "d", path), "1");
  FileTestDir::Write(path, "[s]\r\nk=2\r\n");
  std::filesystem::last_write_time(path, longAgo);
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "2");
}

TEST(IniCache, SeesAFileRemovedOrReplaced) {
  FileTestDir dir;
  std::string path = dir.Path("gone.ini");
  FileTestDir::Write(path, "[s]\r\nk=1\r\n");
  ASSERT_EQ(rt::GetIni("s", "k", "d", path), "1");
  std::filesystem::remove(path);
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "d");
  FileTestDir::Write(dir.Path("other.ini"), "[s]\r\nk=2\r\n");
  std::filesystem::rename(dir.Path("other.ini"), path);
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "2");
}

// A file whose time of writing is far from now, ahead or behind, cannot be
// changed by another writer without a new time; what this process wrote, it
// knows. Either is read once, not on every lookup.
struct TrustCase {
  const char* label;
  void (*make)(const std::string& path);
  uint64_t reads;  // whole reads for all the lookups
};

const TrustCase kTrusted[] = {
    {"a file dated an hour ahead",
     [](const std::string& path) {
       FileTestDir::Write(path, "[s]\r\nk=v\r\n");
       std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
     },
     1},
    {"a file dated an hour ago",
     [](const std::string& path) {
       FileTestDir::Write(path, "[s]\r\nk=v\r\n");
       std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
     },
     1},
    {"a file this process has just written",
     [](const std::string& path) { ASSERT_TRUE(rt::PutIni("s", "k", "v", path)); }, 0},
};

TEST(IniCache, ReadsATrustedFileOnceForManyLookups) {
  FileTestDir dir;
  int n = 0;
  for (const TrustCase& c : kTrusted) {
    SCOPED_TRACE(c.label);
    std::string path = dir.Path("trusted" + std::to_string(n++) + ".ini");
    c.make(path);
    const uint64_t before = rt::IniFileReads();
    for (int i = 0; i < 50; ++i) ASSERT_EQ(rt::GetIni("s", "k", "d", path), "v");
    EXPECT_EQ(rt::IniFileReads() - before, c.reads);
  }
}

// Trusting what this process wrote must not hide another writer's change
// that leaves a sign: a new size, a new file in its place, or none at all.
struct OtherWriterCase {
  const char* label;
  void (*change)(const FileTestDir& dir, const std::string& path);
  const char* value;
};

const OtherWriterCase kOtherWriters[] = {
    {"rewritten in place with another size",
     [](const FileTestDir&, const std::string& path) { FileTestDir::Write(path, "[s]\r\nk=longer\r\n"); }, "longer"},
    {"replaced by a file of the same size",
     [](const FileTestDir& dir, const std::string& path) {
       FileTestDir::Write(dir.Path("next.ini"), "[s]\r\nk=2\r\n");
       std::filesystem::rename(dir.Path("next.ini"), path);
     },
     "2"},
    {"removed", [](const FileTestDir&, const std::string& path) { std::filesystem::remove(path); }, "d"},
};

TEST(IniCache, SeesAnotherWriterRightAfterThisProcessWrote) {
  FileTestDir dir;
  for (const OtherWriterCase& c : kOtherWriters) {
    SCOPED_TRACE(c.label);
    std::string path = dir.Path("shared.ini");
    ASSERT_TRUE(rt::PutIni("s", "k", "1", path));
    ASSERT_EQ(rt::GetIni("s", "k", "d", path), "1");
    c.change(dir, path);
    EXPECT_EQ(rt::GetIni("s", "k", "d", path), c.value);
    std::filesystem::remove(path);
  }
}

}  // namespace

namespace {

// A snapshot answers from one version of the file, whatever another writer
// does meanwhile, and sees this thread's own writes at once.
TEST(IniSnapshot, AnswersFromOneVersionUntilItEnds) {
  FileTestDir dir;
  const std::string path = dir.Path("snap.ini");
  FileTestDir::Write(path, "[s]\r\nk=1\r\n");
  {
    rt::IniSnapshot outer(path);
    EXPECT_EQ(rt::GetIni("s", "k", "d", path), "1");
    FileTestDir::Write(path, "[s]\r\nk=22\r\nj=3\r\n");
    {
      rt::IniSnapshot inner(path);
      EXPECT_EQ(rt::GetIni("s", "k", "d", path), "1") << "another writer's change waits for the end";
    }
    EXPECT_EQ(rt::GetIni("s", "j", "d", path), "d") << "the inner snapshot's end does not end the outer one";
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone);
  }
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "22");
}

TEST(IniSnapshot, SeesThisThreadsOwnWrites) {
  FileTestDir dir;
  const std::string path = dir.Path("own.ini");
  rt::IniSnapshot snapshot(path);
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "d") << "no file yet";
  ASSERT_TRUE(rt::PutIni("s", "k", "1", path));
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "1");
  {
    rt::IniBatch batch(path);
    ASSERT_TRUE(rt::PutIni("s", "k", "2", path));
    EXPECT_EQ(rt::GetIni("s", "k", "d", path), "2") << "a value noted by a batch";
  }
  EXPECT_EQ(rt::GetIni("s", "k", "d", path), "2") << "the batch's write";
}

TEST(IniSnapshot, ReadsAFileJustWrittenByAnotherProgramOnce) {
  FileTestDir dir;
  const std::string path = dir.Path("fresh.ini");
  std::string file = "[List]\r\n";
  for (int i = 1; i <= 500; ++i) file += "Items_" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  FileTestDir::Write(path, file);
  const uint64_t before = rt::IniFileReads();
  rt::IniSnapshot snapshot(path);
  for (int i = 1; i <= 500; ++i)
    ASSERT_EQ(rt::GetIni("List", "Items_" + std::to_string(i), "", path), std::to_string(i));
  EXPECT_EQ(rt::IniFileReads() - before, 1u);
}

}  // namespace
