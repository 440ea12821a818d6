// Lists kept as numbered entries, the store's own list and its life, seen
// through a store whose file is a map in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeIniStore.h"
#include "platform/ThisOs.h"
#include "runtime/Queue.h"
#include "support/CaseName.h"

namespace {

using settings_test::FakeIniStore;
using Strings = std::vector<std::string>;

quibra::IniStore::SectorEntry Sector(const char* family, const char* item, const char* type) {
  quibra::IniStore::SectorEntry entry;
  entry.FAMILY = family;
  entry.ITEM = item;
  entry.TYPE = type;
  return entry;
}

struct CountCase {
  const char* label;
  const char* count;  // null: no count entry
  int32_t records;
};

class ListCountTest : public testing::TestWithParam<CountCase> {};

// The count is read as a number and kept to 16 bits; every entry it names is
// read, missing or not.
TEST_P(ListCountTest, ReadsAsManyEntriesAsTheCountNames) {
  const CountCase& c = GetParam();
  FakeIniStore store;
  if (c.count) store.values[FakeIniStore::Key("S", "L")] = c.count;
  quibra::IniStore::SectorList list;
  store.ReadList("S", "L", list, list.buffer.FAMILY);
  EXPECT_EQ(list.Records(), c.records);
  // One read for the count and one per entry (only the first field is given).
  EXPECT_EQ(store.reads.size(), static_cast<std::size_t>(c.records) + 1);
}

const CountCase countCases[] = {
    {"no_count_entry", nullptr, 0},
    {"empty_count", "", 0},
    {"not_a_number", "many", 0},
    {"zero", "0", 0},
    {"two", "2", 2},
    {"digits_then_junk", "3 entries", 3},
    {"largest_16_bit", "65535", 65535},
    {"wraps_to_zero", "65536", 0},
    {"wraps_to_one", "65537", 1},
    {"four_billion_wraps", "4000000000", 10240},
    {"minus_one_wraps", "-1", 65535},
};

INSTANTIATE_TEST_SUITE_P(IniStore, ListCountTest, testing::ValuesIn(countCases), quibra_test::ByLabel());

TEST(IniStoreList, ReadingReadsEveryFieldFromTheFileAgainAndAppends) {
  FakeIniStore store;
  store.FILENAME = "List.INI";
  store.values = {{"S|L", "2"}, {"S|L_1", "a,b,c"}, {"S|L_2", "d,e,f"}};
  quibra::IniStore::SectorList list;
  list.buffer = Sector("kept", "kept", "kept");
  list.Add();
  store.ReadList("S", "L", list, list.buffer.FAMILY, list.buffer.ITEM, list.buffer.TYPE);

  ASSERT_EQ(list.Records(), 3);
  EXPECT_EQ(list.At(1).FAMILY.str(), "kept");
  EXPECT_EQ(list.At(2).FAMILY.str(), "a");
  EXPECT_EQ(list.At(2).ITEM.str(), "b");
  EXPECT_EQ(list.At(2).TYPE.str(), "c");
  EXPECT_EQ(list.At(3).FAMILY.str(), "d");
  EXPECT_EQ(list.At(3).TYPE.str(), "f");
  EXPECT_EQ(store.reads, (Strings{"S|L", "S|L_1", "S|L_1", "S|L_1", "S|L_2", "S|L_2", "S|L_2"}));
}

TEST(IniStoreList, WritingWritesTheCountThenOneEntryPerRecord) {
  FakeIniStore store;
  store.FILENAME = "List.INI";
  quibra::IniStore::SectorList list;
  list.buffer = Sector("a", "b", "c");
  list.Add();
  list.buffer = Sector("", "", "");
  list.Add();
  list.buffer = Sector("x", "", "z");
  list.Add();
  store.WriteList("S", "L", list, list.buffer.FAMILY, list.buffer.ITEM, list.buffer.TYPE);
  EXPECT_EQ(store.writes, (Strings{"S|L=3", "S|L_1=a,b,c", "S|L_2=,,", "S|L_3=x,,z"}));
  for (const std::string& file : store.files) EXPECT_EQ(file, "List.INI");
}

// A list of any entry type, with fields of other kinds and fewer of them.
struct Setting {
  rt::FixedString<8> NAME;
  int32_t SIZE = 0;
  rt::CString<6> NOTE;
};

TEST(IniStoreList, AnyListRoundTripsWithTheFieldsItNames) {
  FakeIniStore store;
  rt::Queue<Setting> list;
  list.buffer.NAME = "left";
  list.buffer.SIZE = -42;
  list.buffer.NOTE = "ok";
  list.Add();
  list.buffer.NAME = "eightchr";
  list.buffer.SIZE = 7;
  list.Add();

  store.WriteList("S", "Two", list, list.buffer.NAME, list.buffer.SIZE);
  store.WriteList("S", "One", list, list.buffer.NAME);
  // A fixed field is written without its padding; the note was not named.
  EXPECT_EQ(store.values["S|Two_1"], "left,-42");
  EXPECT_EQ(store.values["S|One_2"], "eightchr");

  rt::Queue<Setting> back;
  store.ReadList("S", "Two", back, back.buffer.NAME, back.buffer.SIZE);
  ASSERT_EQ(back.Records(), 2);
  EXPECT_EQ(back.At(1).NAME.clipped(), "left");
  EXPECT_EQ(back.At(1).SIZE, -42);
  EXPECT_EQ(back.At(2).NAME.clipped(), "eightchr");
  EXPECT_EQ(back.At(2).SIZE, 7);
}

TEST(IniStoreList, ReadTextsAreCutToTheirFields) {
  FakeIniStore store;
  store.values = {{"S|L", "1"}, {"S|L_1", "toolongname,99999999999,abcdefgh"}};
  rt::Queue<Setting> list;
  store.ReadList("S", "L", list, list.buffer.NAME, list.buffer.SIZE, list.buffer.NOTE);
  ASSERT_EQ(list.Records(), 1);
  EXPECT_EQ(list.At(1).NAME.clipped(), "toolongn");
  EXPECT_EQ(list.At(1).SIZE, 2147483647);  // a number held within 32 bits
  EXPECT_EQ(list.At(1).NOTE.str(), "abcde");
}

struct Wide {
  rt::CString<3000> A;
  rt::CString<3000> B;
};

TEST(IniStoreList, EntryValueIsCutTo4999Characters) {
  FakeIniStore store;
  rt::Queue<Wide> list;
  list.buffer.A = std::string(2999, 'a');
  list.buffer.B = std::string(2999, 'b');
  list.Add();
  store.WriteList("S", "W", list, list.buffer.A, list.buffer.B);
  const std::string expected = std::string(2999, 'a') + "," + std::string(1999, 'b');
  EXPECT_EQ(store.values["S|W_1"], expected);

  // A character of two bytes that the cut would split goes whole where texts
  // are UTF-8; in a Windows code page each byte is a character of its own.
  list.buffer.B = std::string(1998, 'b') + "\xC3\xA9" + "tail";
  list.Put();
  store.WriteList("S", "W", list, list.buffer.A, list.buffer.B);
  EXPECT_EQ(store.values["S|W_1"],
            std::string(2999, 'a') + "," + std::string(1998, 'b') + (os::TextIsUtf8() ? "" : "\xC3"));
}

class RecordingStore : public FakeIniStore {
 public:
  Strings events;
  void InitializeHook() override {
    events.push_back("hook: file " + FILENAME.str() + ", list " + (SECTORS ? "made" : "missing") + ", " +
                     std::to_string(reads.size()) + " reads");
  }
};

TEST(IniStoreLife, InitializeNamesTheFileAndMakesTheListBeforeTheHookThenReads) {
  RecordingStore store;
  store.values = {{"__Dont_Touch_Me__|Sectors", "1"}, {"__Dont_Touch_Me__|Sectors_1", "f,i,t"}};
  store.Initialize("Life.INI");
  EXPECT_EQ(store.events, (Strings{"hook: file Life.INI, list made, 0 reads"}));
  ASSERT_TRUE(store.SECTORS);
  ASSERT_EQ(store.SECTORS->Records(), 1);
  EXPECT_EQ(store.SECTORS->At(1).ITEM.str(), "i");
  for (const std::string& file : store.files) EXPECT_EQ(file, "Life.INI");
}

TEST(IniStoreLife, FinalizeWritesTheListBackOnceAndDropsIt) {
  FakeIniStore store;
  store.Finalize();  // before Initialize there is no list to save
  EXPECT_TRUE(store.writes.empty());
  store.values = {{"__Dont_Touch_Me__|Sectors", "1"}, {"__Dont_Touch_Me__|Sectors_1", "f,i,t"}};
  store.Initialize("Life.INI");
  store.Finalize();
  EXPECT_FALSE(store.SECTORS);
  EXPECT_EQ(store.writes, (Strings{"__Dont_Touch_Me__|Sectors=1", "__Dont_Touch_Me__|Sectors_1=f,i,t"}));
  // A second Finalize has no list: it must not write an empty one over the
  // saved list.
  store.Finalize();
  EXPECT_EQ(store.writes.size(), 2u);
}

TEST(IniStoreLife, UnreadableFileKeepsTheSavedListUntouched) {
  FakeIniStore store;
  store.readError = rt::ErrAccessDenied;
  store.Initialize("Locked.INI");
  ASSERT_TRUE(store.SECTORS);
  EXPECT_EQ(store.SECTORS->Records(), 0);
  store.Finalize();
  EXPECT_TRUE(store.writes.empty());
  EXPECT_FALSE(store.SECTORS);

  // Once the file reads again, the next run saves as usual.
  store.readError = 0;
  store.Initialize("Locked.INI");
  store.Finalize();
  EXPECT_EQ(store.writes, (Strings{"__Dont_Touch_Me__|Sectors=0"}));
}

TEST(IniStoreLife, OneUnreadableEntryKeepsTheSavedListUntouched) {
  // The count reads, a later read fails (the file was replaced by one that
  // cannot be read), and the reads after it succeed again.
  FakeIniStore store;
  store.values = {{"__Dont_Touch_Me__|Sectors", "2"},
                  {"__Dont_Touch_Me__|Sectors_1", "a,b,c"},
                  {"__Dont_Touch_Me__|Sectors_2", "d,e,f"}};
  store.readError = rt::ErrAccessDenied;
  store.failingKey = "__Dont_Touch_Me__|Sectors_1";
  store.Initialize("Flaky.INI");
  EXPECT_EQ(store.SECTORS->Records(), 2);
  store.Finalize();
  EXPECT_TRUE(store.writes.empty());
}

TEST(IniStoreLife, MissingFileIsAFirstRunNotAFailure) {
  for (int32_t code : {rt::ErrFileNotFound, rt::ErrPathNotFound}) {
    SCOPED_TRACE(code);
    FakeIniStore store;
    store.readError = code;
    store.Initialize("New.INI");
    store.Finalize();
    EXPECT_EQ(store.writes, (Strings{"__Dont_Touch_Me__|Sectors=0"}));
  }
}

}  // namespace
