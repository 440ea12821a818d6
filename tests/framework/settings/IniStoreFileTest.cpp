// The store on real INI files: its own list carried from one run to the next,
// and files with bad content read and written without losing their other lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/settings/IniStore.h"
#include "runtime/ErrorState.h"
#include "runtime/Ini.h"
#include "support/CaseName.h"
#include "support/TempDir.h"

namespace {

using quibra::IniStore;
using quibra_test::ReadBytes;
using quibra_test::TempDir;
using quibra_test::WriteBytes;
using Strings = std::vector<std::string>;

constexpr const char* Own = "__Dont_Touch_Me__";

Strings Lines(const std::string& bytes) {
  Strings lines;
  std::string line;
  for (char c : bytes) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// True when `part` appears within `whole` in the same order.
bool InOrder(const Strings& part, const Strings& whole) {
  std::size_t at = 0;
  for (const std::string& line : whole)
    if (at < part.size() && line == part[at]) ++at;
  return at == part.size();
}

Strings Triple(const IniStore& store, int32_t position) {
  const IniStore::SectorEntry& e = store.SECTORS->At(position);
  return {e.FAMILY.str(), e.ITEM.str(), e.TYPE.str()};
}

// Each test has a folder of its own, and the program's settings file in it.
class IniStoreFile : public testing::Test {
 protected:
  TempDir folder;
  const std::string file = folder.File("QuibraD.INI");
};

TEST_F(IniStoreFile, FirstRunWithoutAFileStartsEmptyAndSavesAnEmptyList) {
  IniStore store;
  store.Initialize(file);
  ASSERT_TRUE(store.SECTORS);
  EXPECT_EQ(store.SECTORS->Records(), 0);
  store.ProgramEndHook();
  store.Finalize();
  EXPECT_FALSE(store.SECTORS);
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(rt::GetIni(Own, "Sectors", "missing", file), "0");
  EXPECT_EQ(rt::GetIni(Own, "Sectors_1", "missing", file), "missing");
  EXPECT_EQ(Lines(ReadBytes(file)), (Strings{"[__Dont_Touch_Me__]", "Sectors=0"}));
}

TEST_F(IniStoreFile, SavedTriplesReadBackAndAreWrittenBackUnchanged) {
  const std::string saved =
      "[Window]\r\nX=10\r\n\r\n[__Dont_Touch_Me__]\r\nSectors=2\r\nSectors_1=Tools,Hammer,Claw\r\n"
      "Sectors_2=Fruit,Apple,Red\r\n[After]\r\nY=20\r\n";
  WriteBytes(file, saved);
  IniStore store;
  store.Initialize(file);
  ASSERT_EQ(store.SECTORS->Records(), 2);
  EXPECT_EQ(Triple(store, 1), (Strings{"Tools", "Hammer", "Claw"}));
  EXPECT_EQ(Triple(store, 2), (Strings{"Fruit", "Apple", "Red"}));
  store.Finalize();
  EXPECT_EQ(ReadBytes(file), saved);
}

// A store whose file another program rewrites while the list is being read,
// right after the first entry.
class RewrittenMidway : public IniStore {
 public:
  std::string rewrite;
  std::string ReadEntry(std::string_view section, std::string_view entry, std::string_view defaultValue,
                        std::string_view fileName) override {
    std::string value = IniStore::ReadEntry(section, entry, defaultValue, fileName);
    if (!rewrite.empty() && entry == "Sectors_1") {
      WriteBytes(std::string(fileName), rewrite);
      rewrite.clear();
    }
    return value;
  }
};

TEST_F(IniStoreFile, AListIsReadWholeFromOneVersionOfTheFile) {
  WriteBytes(file, "[__Dont_Touch_Me__]\r\nSectors=2\r\nSectors_1=a,b,c\r\nSectors_2=d,e,f\r\n");
  RewrittenMidway store;
  store.rewrite = "[__Dont_Touch_Me__]\r\nSectors=2\r\nSectors_1=x,y,z\r\nSectors_2=u,v,w\r\n";
  store.Initialize(file);
  ASSERT_EQ(store.SECTORS->Records(), 2);
  EXPECT_EQ(Triple(store, 1), (Strings{"a", "b", "c"}));
  EXPECT_EQ(Triple(store, 2), (Strings{"d", "e", "f"})) << "not half of one list and half of the other";
  EXPECT_EQ(rt::GetIni(Own, "Sectors_2", "", file), "u,v,w") << "the new version once the list is read";
  store.SECTORS.reset();
}

TEST_F(IniStoreFile, AListJustWrittenByAnotherProgramIsReadFromTheFileOnce) {
  std::string saved = "[__Dont_Touch_Me__]\r\nSectors=300\r\n";
  for (int i = 1; i <= 300; ++i) saved += "Sectors_" + std::to_string(i) + "=f,i," + std::to_string(i) + "\r\n";
  WriteBytes(file, saved);
  const uint64_t before = rt::IniFileReads();
  IniStore store;
  store.Initialize(file);
  EXPECT_EQ(rt::IniFileReads() - before, 1u);
  ASSERT_EQ(store.SECTORS->Records(), 300);
  EXPECT_EQ(Triple(store, 300), (Strings{"f", "i", "300"}));
  store.SECTORS.reset();
}

TEST_F(IniStoreFile, MissingNumberedEntryBecomesAnUnknownTriple) {
  WriteBytes(file, "[__Dont_Touch_Me__]\r\nSectors=3\r\nSectors_1=a,b,c\r\nSectors_3=g,h,i\r\n");
  IniStore store;
  store.Initialize(file);
  ASSERT_EQ(store.SECTORS->Records(), 3);
  EXPECT_EQ(Triple(store, 1), (Strings{"a", "b", "c"}));
  EXPECT_EQ(Triple(store, 2), (Strings{"---Unknown---", "---Unknown---", "---Unknown---"}));
  EXPECT_EQ(Triple(store, 3), (Strings{"g", "h", "i"}));
  store.Finalize();
  EXPECT_EQ(rt::GetIni(Own, "Sectors_2", "", file), "---Unknown---,---Unknown---,---Unknown---");
  EXPECT_EQ(rt::GetIni(Own, "Sectors_3", "", file), "g,h,i");
}

// A list entry the file cannot hold is refused with the whole list: the
// error reaches the caller, and the list the file holds stays as it was.
struct RefusedFieldCase {
  const char* label;
  const char* item;  // the middle field of the third of four entries
};

TEST_F(IniStoreFile, AListEntryTheFileCannotHoldKeepsTheSavedListAndReportsIt) {
  const RefusedFieldCase cases[] = {
      {"CR LF in a field", "two\r\nlines"},
      {"LF in a field", "two\nlines"},
      {"a comma in a field, which would split it when read back", "one,two"},
  };
  const std::string saved = "[__Dont_Touch_Me__]\r\nSectors=2\r\nSectors_1=a,b,c\r\nSectors_2=d,e,f\r\n";
  for (const RefusedFieldCase& c : cases) {
    SCOPED_TRACE(c.label);
    WriteBytes(file, saved);
    IniStore store;
    store.Initialize(file);
    IniStore::SectorList& list = *store.SECTORS;
    for (const char* item : {c.item, "fine"}) {
      list.buffer.FAMILY = "new";
      list.buffer.ITEM = item;
      list.buffer.TYPE = "t";
      list.Add();
    }
    rt::ClearError();
    EXPECT_FALSE(store.Finalize());
    EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
    EXPECT_NE(rt::ErrorText().find("Sectors_3"), std::string::npos) << rt::ErrorText();
    EXPECT_EQ(ReadBytes(file), saved) << "nothing of the list is written";
  }
}

// Names the file cannot hold refuse a list whole, an empty one too: its
// count is written under them, and entries without their count would be
// lost to every reader.
struct RefusedNameCase {
  const char* label;
  const char* section;
  const char* entry;
  int records;
};

TEST_F(IniStoreFile, AListUnderNamesTheFileCannotHoldIsRefusedAndNothingIsWritten) {
  const RefusedNameCase cases[] = {
      {"an empty list under a section holding ]", "a]b", "L", 0},
      {"a list under a section holding ]", "a]b", "L", 2},
      {"an empty list under a blank entry name", "S", "  ", 0},
      {"a list under no entry name, whose entries _1 and _2 alone could be written", "S", "", 2},
  };
  const std::string saved = "[S]\r\nL=1\r\nL_1=old\r\n";
  for (const RefusedNameCase& c : cases) {
    SCOPED_TRACE(c.label);
    WriteBytes(file, saved);
    IniStore store;
    store.FILENAME = file;
    IniStore::SectorList list;
    for (int i = 0; i < c.records; ++i) {
      list.buffer.FAMILY = "new";
      list.Add();
    }
    rt::ClearError();
    EXPECT_FALSE(store.WriteList(c.section, c.entry, list, list.buffer.FAMILY));
    EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument) << rt::ErrorText();
    EXPECT_EQ(ReadBytes(file), saved) << "nothing of the list is written";
  }
}

TEST_F(IniStoreFile, AListWithoutASectionNameIsKeptAboveTheFirstSection) {
  WriteBytes(file, "[S]\r\nL=1\r\nL_1=old\r\n");
  IniStore store;
  store.FILENAME = file;
  IniStore::SectorList list;
  for (const char* family : {"a", "b"}) {
    list.buffer.FAMILY = family;
    list.Add();
  }
  EXPECT_TRUE(store.WriteList("", "L", list, list.buffer.FAMILY)) << rt::ErrorText();
  EXPECT_EQ(ReadBytes(file), "L=2\r\nL_1=a\r\nL_2=b\r\n[S]\r\nL=1\r\nL_1=old\r\n");
  IniStore::SectorList back;
  store.ReadList("", "L", back, back.buffer.FAMILY);
  ASSERT_EQ(back.Records(), 2);
  EXPECT_EQ(back.At(2).FAMILY.str(), "b");
}

TEST_F(IniStoreFile, ShorterListLeavesHigherEntriesThatReadingIgnores) {
  const std::string lists = folder.File("Lists.INI");
  IniStore store;
  store.Initialize(lists);
  IniStore::SectorList list;
  for (const char* family : {"one", "two", "three"}) {
    list.buffer.FAMILY = family;
    list.Add();
  }
  store.WriteList("Lists", "Names", list, list.buffer.FAMILY);
  IniStore::SectorList shorter;
  shorter.buffer.FAMILY = "only";
  shorter.Add();
  store.WriteList("Lists", "Names", shorter, shorter.buffer.FAMILY);
  EXPECT_EQ(rt::GetIni("Lists", "Names_3", "", lists), "three");

  IniStore::SectorList back;
  store.ReadList("Lists", "Names", back, back.buffer.FAMILY);
  ASSERT_EQ(back.Records(), 1);
  EXPECT_EQ(back.At(1).FAMILY.str(), "only");
}

TEST_F(IniStoreFile, LongFileNameIsCutTo259CharactersAndTheCutNameIsUsed) {
  // A folder short enough to be made everywhere, then a file name that ends
  // exactly at character 259; whatever follows is cut off.
  std::string dir = (folder.Path() / std::string(120, 'd')).string();
  ASSERT_LT(dir.size(), 240u) << "the temporary folder's path is too long for this test";
  std::filesystem::create_directories(dir);
  std::string name = dir + "/";
  name += std::string(259 - name.size() - 4, 'f') + ".INI";
  ASSERT_EQ(name.size(), 259u);
  WriteBytes(name, "[__Dont_Touch_Me__]\r\nSectors=1\r\nSectors_1=long,name,ok\r\n");

  IniStore store;
  store.Initialize(name + ".and-a-tail-that-does-not-fit");
  EXPECT_EQ(store.FILENAME.str(), name);
  ASSERT_EQ(store.SECTORS->Records(), 1);
  EXPECT_EQ(Triple(store, 1), (Strings{"long", "name", "ok"}));
  store.SECTORS->buffer.FAMILY = "added";
  store.SECTORS->Add();
  store.Finalize();
  EXPECT_EQ(rt::GetIni(Own, "Sectors", "", name), "2");
}

struct BadCase {
  const char* label;
  std::string ownSection;  // the lines of the store's own section
  int32_t records;         // entries read
  Strings firstTriple;     // of entry 1, when there is one
  std::string savedCount;  // "Sectors" after Finalize
};

const std::string Junk = std::string("\x01\x02\xff\xfe junk \x80\x7f=\x1b[0m") + '\0' + "after nul";
const std::string LongValue = std::string(2000, 'p') + "," + std::string(1500, 'q') + "," + std::string(1499, 'r');

class BadContentTest : public IniStoreFile, public testing::WithParamInterface<BadCase> {};

// Around the store's own section lie lines that must survive byte for byte.
TEST_P(BadContentTest, ReadsAsStatedAndKeepsEveryOtherLine) {
  const BadCase& c = GetParam();
  const Strings before = {"; settings", Junk, "[Other]", "Long=" + std::string(5000, 'v'), "Junk=" + Junk, "", Junk};
  const Strings after = {"[Tail]", "Z=" + Junk, "=no name", "[unclosed"};
  std::string bytes;
  for (const std::string& line : before) bytes += line + "\r\n";
  bytes += "[__Dont_Touch_Me__]\r\n" + c.ownSection;
  for (const std::string& line : after) bytes += line + "\r\n";
  WriteBytes(file, bytes);

  IniStore store;
  store.Initialize(file);
  ASSERT_EQ(store.SECTORS->Records(), c.records);
  if (c.records > 0) {
    EXPECT_EQ(Triple(store, 1), c.firstTriple);
  }
  store.Finalize();

  const std::string written = ReadBytes(file);
  EXPECT_TRUE(InOrder(before, Lines(written))) << "a line before the store's section was lost or changed";
  EXPECT_TRUE(InOrder(after, Lines(written))) << "a line after the store's section was lost or changed";
  EXPECT_EQ(rt::GetIni(Own, "Sectors", "", file), c.savedCount);
  EXPECT_EQ(rt::GetIni("Other", "Long", "", file), std::string(5000, 'v'));
}

std::string Cut99(char c) { return std::string(99, c); }

const BadCase badCases[] = {
    {"junk_lines_in_the_section", Junk + "\r\nSectors=1\r\n" + Junk + "\r\nSectors_1=x,y\r\n", 1, {"x", "y", "x"}, "1"},
    {"junk_in_a_value", "Sectors=1\r\nSectors_1=\x01\xff,\x80 b,c\x7f\r\n", 1, {"\x01\xff", "\x80 b", "c\x7f"}, "1"},
    {"count_past_16_bits_wraps",
     "Sectors=65538\r\nSectors_1=a,b,c\r\nSectors_2=d,e,f\r\nSectors_3=g,h,i\r\n",
     2,
     {"a", "b", "c"},
     "2"},
    {"count_not_a_number", "Sectors=lots\r\nSectors_1=a,b,c\r\n", 0, {}, "0"},
    {"values_of_5000_characters",
     "Sectors=1\r\nSectors_1=" + LongValue + "\r\n",
     1,
     {Cut99('p'), Cut99('p'), Cut99('p')},
     "1"},
};

INSTANTIATE_TEST_SUITE_P(IniStoreFile, BadContentTest, testing::ValuesIn(badCases), quibra_test::ByLabel());

// Reads the real file but only records what it would write: writing 10,240
// entries one rewrite of the file at a time takes minutes, and what the file
// keeps around written entries is shown by the cases above.
class WriteRecordingStore : public IniStore {
 public:
  Strings writes;
  void WriteEntry(std::string_view section, std::string_view entry, std::string_view value,
                  std::string_view fileName) override {
    writes.push_back(std::string(entry) + "=" + std::string(value));
  }
};

TEST_F(IniStoreFile, CountOfFourBillionWrapsTo10240EntriesReadAndWritten) {
  const std::string bytes = "[__Dont_Touch_Me__]\r\nSectors=4000000000\r\nSectors_1=a,b,c\r\nSectors_10241=x,y,z\r\n";
  WriteBytes(file, bytes);
  WriteRecordingStore store;
  store.Initialize(file);
  ASSERT_EQ(store.SECTORS->Records(), 10240);
  EXPECT_EQ(Triple(store, 1), (Strings{"a", "b", "c"}));
  const Strings unknown = {"---Unknown---", "---Unknown---", "---Unknown---"};
  EXPECT_EQ(Triple(store, 2), unknown);
  EXPECT_EQ(Triple(store, 10240), unknown);
  store.Finalize();
  ASSERT_EQ(store.writes.size(), 10241u);
  EXPECT_EQ(store.writes[0], "Sectors=10240");
  EXPECT_EQ(store.writes[1], "Sectors_1=a,b,c");
  EXPECT_EQ(store.writes[10240], "Sectors_10240=---Unknown---,---Unknown---,---Unknown---");
  EXPECT_EQ(ReadBytes(file), bytes);
}

}  // namespace
