// Many INI writes as one: a batch must leave the file exactly as the same
// writes made one by one would.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/ErrorState.h"
#include "runtime/Ini.h"
#include "support/TempDir.h"

namespace {

using quibra_test::ReadBytes;
using quibra_test::TempDir;
using quibra_test::WriteBytes;

struct Write {
  std::string section, entry, value;
};

std::vector<Write> RandomWrites(std::mt19937& random, int count) {
  const char* sections[] = {"Main", "MAIN", "other", "New One", "new one", "Third"};
  const char* entries[] = {"a", "A", "b", "Count", "count", "x_1", "x_2"};
  const char* values[] = {"", "1", "two words", " padded ", "\"quoted\"", "a,b,c", "same"};
  std::vector<Write> writes;
  for (int i = 0; i < count; ++i)
    writes.push_back({sections[random() % 6], entries[random() % 7], values[random() % 7]});
  return writes;
}

TEST(IniBatch, LeavesTheFileAsTheSameWritesOneByOneWould) {
  const char* starts[] = {
      "",
      "\xEF\xBB\xBF",
      "; only a comment",
      "[Main]\na=1\nb = same ; kept\n\n; trailing comment\n[other]\r\nCount=3",
      "[Main]\r\n[Third]\r\nx_1=\"quoted\"\r\n\r\n",
      "junk line\r\n[main]\rA=one\r[Main]\rA=second section never read\r",
  };
  std::mt19937 random(7);
  TempDir dir;
  for (const char* start : starts) {
    for (int round = 0; round < 20; ++round) {
      const auto writes = RandomWrites(random, 1 + static_cast<int>(random() % 12));
      const std::string one = dir.File("one.ini"), batched = dir.File("batched.ini");
      WriteBytes(one, start);
      WriteBytes(batched, start);
      for (const Write& w : writes) ASSERT_TRUE(rt::PutIni(w.section, w.entry, w.value, one));
      {
        rt::IniBatch batch(batched);
        for (const Write& w : writes) ASSERT_TRUE(rt::PutIni(w.section, w.entry, w.value, batched));
        EXPECT_EQ(ReadBytes(batched), start) << "nothing is written before the batch ends";
      }
      ASSERT_EQ(ReadBytes(batched), ReadBytes(one)) << "start: " << start << ", round " << round;
    }
  }
}

TEST(IniBatch, ReadsSeeNotedValuesAndNestedBatchesWriteOnceAtTheOutermostEnd) {
  TempDir dir;
  const std::string file = dir.File("s.ini");
  WriteBytes(file, "[S]\r\nkeep=old\r\n");
  {
    rt::IniBatch outer(file);
    ASSERT_TRUE(rt::PutIni("S", "keep", "new", file));
    {
      rt::IniBatch inner(file);
      ASSERT_TRUE(rt::PutIni("s", "Added", "yes", file));
    }
    EXPECT_EQ(ReadBytes(file), "[S]\r\nkeep=old\r\n") << "the inner batch does not write";
    EXPECT_EQ(rt::GetIni("S", "KEEP", "", file), "new");
    EXPECT_EQ(rt::GetIni("S", "added", "", file), "yes");
    EXPECT_EQ(rt::GetIni("S", "missing", "dflt  ", file), "dflt");
    EXPECT_FALSE(rt::PutIni("S", "bad=name", "x", file)) << "unsafe names are refused in a batch too";
    EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
    EXPECT_TRUE(outer.Commit());
    EXPECT_EQ(ReadBytes(file), "[S]\r\nkeep=new\r\nAdded=yes\r\n");
  }
  EXPECT_EQ(ReadBytes(file), "[S]\r\nkeep=new\r\nAdded=yes\r\n") << "a committed batch does not write again";
}

TEST(IniBatch, NeverOverwritesAFileItCannotRead) {
  TempDir dir;
  const std::string folder = dir.File("a-folder.ini");
  std::filesystem::create_directory(folder);
  rt::IniBatch batch(folder);
  ASSERT_TRUE(rt::PutIni("S", "e", "v", folder));
  EXPECT_FALSE(batch.Commit());
  EXPECT_NE(rt::ErrorCode(), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
