// The stored table format, the default table, loading and looking ids up.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ManagerTest.h"
#include "framework/error/DefaultErrorTable.h"
#include "framework/error/ErrorManager.h"

namespace {

using namespace quibra;

// Loads the default table into a fresh manager.
void LoadDefault(ErrorManager& manager) {
  ASSERT_EQ(manager.LoadTable(DefaultErrorTable(), DefaultErrorTableSize()), 43);
}

TEST(DefaultErrorTable, EveryIdIsReachableOnceAndNamesItsOwnEntry) {
  ErrorManager manager;
  LoadDefault(manager);
  std::set<uint16_t> ids;
  for (int32_t n = 1; n <= manager.ERRORS->Records(); ++n) {
    ASSERT_TRUE(manager.ERRORS->Get(n));
    const ErrorEntry entry = manager.ERRORS->buffer;
    SCOPED_TRACE("id " + std::to_string(entry.ID));
    EXPECT_TRUE(ids.insert(entry.ID).second) << "a second definition would hide the first";
    ASSERT_EQ(manager.Locate(entry.ID), LevelOk);
    EXPECT_EQ(manager.CurrentEntry().MESSAGE, entry.MESSAGE);
    EXPECT_FALSE(entry.TITLE.empty());
    EXPECT_EQ(entry.CATEGORY, "") << "a category is the program's to assign";
  }
  // The ids run from 1 to 44; 29 was never used.
  EXPECT_EQ(*ids.begin(), 1);
  EXPECT_EQ(*ids.rbegin(), 44);
  EXPECT_EQ(ids.count(29), 0u);
}

TEST(DefaultErrorTable, EveryPlaceholderOfEveryMessageIsFilledIn) {
  ErrorManager manager;
  LoadDefault(manager);
  manager.NoteFile("ITEMS.DAT");
  manager.FIELDNAME = "QTY";
  manager.MESSAGETEXT = "ten";
  manager.SAVEERROR = "Access Denied";
  manager.SAVEERRORCODE = 5;
  for (int32_t n = 1; n <= manager.ERRORS->Records(); ++n) {
    ASSERT_TRUE(manager.ERRORS->Get(n));
    const ErrorEntry entry = manager.ERRORS->buffer;
    SCOPED_TRACE("id " + std::to_string(entry.ID));
    ASSERT_EQ(manager.Locate(entry.ID), LevelOk);
    const std::string text = manager.ExpandText();
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
    if (entry.MESSAGE.find("%File") != std::string::npos) {
      EXPECT_NE(text.find("ITEMS.DAT"), std::string::npos);
    }
    if (entry.MESSAGE.find("%ErrorText") != std::string::npos) {
      EXPECT_NE(text.find("Access Denied (5)"), std::string::npos) << text;
    }
  }
}

struct LevelOfId {
  const char* use;
  uint16_t id;
  Level level;
};

// The levels the framework relies on: what it asks must be a question, what
// ends the program must be fatal.
TEST(DefaultErrorTable, TheMessagesTheFrameworkRaisesHaveTheLevelItsFlowNeeds) {
  const LevelOfId cases[] = {
      {"record added: another?", 3, LevelQuestion},
      {"changes will be lost", 8, LevelQuestion},
      {"delete failed: again?", 33, LevelQuestion},
      {"update failed: again?", 34, LevelQuestion},
      {"save the changes?", 35, LevelQuestion},
      {"file not opened", 23, LevelFatal},
      {"file not created", 10, LevelFatal},
      {"key not rebuilt", 26, LevelFatal},
      {"file used before its open", 39, LevelProgramError},
      {"read-only fallback", 2, LevelNotify},
      {"key must be rebuilt", 27, LevelNotify},
      {"record not inserted", 4, LevelNotify},
      {"duplicate key", 13, LevelNotify},
  };
  ErrorManager manager;
  LoadDefault(manager);
  for (const LevelOfId& c : cases) {
    SCOPED_TRACE(c.use);
    ASSERT_EQ(manager.Locate(c.id), LevelOk);
    EXPECT_EQ(manager.CurrentEntry().FATALITY, c.level);
  }
  // Every entry has a level the manager acts on; a question asks, and a
  // message that ends the program does not.
  for (int32_t n = 1; n <= manager.ERRORS->Records(); ++n) {
    ASSERT_TRUE(manager.ERRORS->Get(n));
    const ErrorEntry& entry = manager.ERRORS->buffer;
    SCOPED_TRACE("id " + std::to_string(entry.ID));
    const Level level = entry.FATALITY;
    EXPECT_TRUE(level == LevelQuestion || level == LevelProgramError || level == LevelFatal || level == LevelNotify);
    const bool asks = entry.MESSAGE.back() == '?';
    if (level == LevelQuestion) {
      EXPECT_TRUE(asks);
    }
    if (level == LevelProgramError || level == LevelFatal) {
      EXPECT_FALSE(asks);
    }
  }
}

TEST(DefaultErrorTable, IsExactlyItsEntriesWithNothingAfterThem) {
  // One byte less loses the last entry; nothing follows it.
  ErrorManager manager;
  EXPECT_EQ(manager.LoadTable(DefaultErrorTable(), DefaultErrorTableSize() - 1), 42);
  EXPECT_EQ(DefaultErrorTable()[0] | DefaultErrorTable()[1] << 8, 43) << "the count is little-endian";
}

// A small table built by hand: two entries, "AB"/"xyz" and ""/"m".
const uint8_t kSmallTable[] = {2, 0,                                    // count
                               7, 1, 5, 2, 'A', 'B', 3, 'x', 'y', 'z',  // id 263, level 5
                               9, 0, 1, 0, 1,   'm'};                   // id 9, level 1, empty title
constexpr std::size_t kFirstEntryEnd = 12;                              // bytes up to the end of the first whole entry

TEST(LoadTable, ReadsIdsLittleEndianAndLengthPrefixedTexts) {
  ErrorManager manager;
  ASSERT_EQ(manager.LoadTable(kSmallTable, sizeof kSmallTable), 2);
  ASSERT_EQ(manager.Locate(263), LevelOk);
  EXPECT_EQ(manager.CurrentEntry().FATALITY, 5);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "AB");
  EXPECT_EQ(manager.CurrentEntry().MESSAGE, "xyz");
  ASSERT_EQ(manager.Locate(9), LevelOk);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "");
  EXPECT_EQ(manager.CurrentEntry().MESSAGE, "m");
}

TEST(LoadTable, EveryCutPointStopsAtTheLastWholeEntry) {
  // The cut tables are copied to exactly their size so that a read past the
  // end is seen by the sanitizers.
  for (std::size_t cut = 0; cut <= sizeof kSmallTable; ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    std::vector<uint8_t> bytes(kSmallTable, kSmallTable + cut);
    ErrorManager manager;
    const int32_t loaded = manager.LoadTable(bytes.data(), bytes.size());
    const int32_t whole = cut == sizeof kSmallTable ? 2 : cut >= kFirstEntryEnd ? 1 : 0;
    EXPECT_EQ(loaded, whole);
    EXPECT_EQ(manager.ERRORS->Records(), whole);
    if (whole >= 1) {
      ASSERT_EQ(manager.Locate(263), LevelOk);
      EXPECT_EQ(manager.CurrentEntry().MESSAGE, "xyz");
    }
  }
}

struct CountCase {
  const char* label;
  std::vector<uint8_t> bytes;
  int32_t loaded;
};

TEST(LoadTable, CountIsTrustedOnlyAsFarAsTheBytesGo) {
  const CountCase cases[] = {
      {"count promises more than there is", {5, 0, 1, 0, 5, 1, 'T', 1, 'M'}, 1},
      {"count of 65535 with one entry", {0xFF, 0xFF, 1, 0, 5, 1, 'T', 1, 'M'}, 1},
      {"count smaller than the entries", {1, 0, 1, 0, 5, 0, 0, 2, 0, 5, 0, 0}, 1},
      {"count zero", {0, 0, 1, 0, 5, 0, 0}, 0},
      {"title length past the end", {1, 0, 1, 0, 5, 200, 'T'}, 0},
      {"message length past the end", {1, 0, 1, 0, 5, 0, 255, 'M'}, 0},
      {"only the count", {3, 0}, 0},
      {"one byte", {3}, 0},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<uint8_t> bytes = c.bytes;
    ErrorManager manager;
    EXPECT_EQ(manager.LoadTable(bytes.data(), bytes.size()), c.loaded);
    EXPECT_EQ(manager.ERRORS->Records(), c.loaded);
  }
}

TEST(Locate, FindsTheLatestDefinitionAndReportsMissingIds) {
  static const uint8_t kSecond[] = {1, 0, 27, 0, 1, 1, 'N', 2, 'n', 'w'};  // redefines id 27
  ErrorManager manager;
  manager.LoadTable(DefaultErrorTable(), DefaultErrorTableSize());
  manager.LoadTable(kSecond, sizeof kSecond);
  ASSERT_EQ(manager.Locate(27), LevelOk);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "N");
  EXPECT_EQ(manager.ERRORS->Pointer(), 44);

  ASSERT_EQ(manager.Locate(10), LevelOk);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "File Creation Error");
  EXPECT_EQ(manager.Locate(999), LevelNotify);
  EXPECT_EQ(manager.Locate(0), LevelNotify);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "File Creation Error") << "a failed Locate keeps the current entry";
}

TEST(Locate, BeforeAnyTableNothingIsFound) {
  ErrorManager manager;
  EXPECT_EQ(manager.Locate(8), LevelNotify);
}

class Categories : public error_test::ManagerTest {};

TEST_F(Categories, EveryDefaultEntryIsAppUntilOneIsAssigned) {
  for (int32_t n = 1; n <= manager.ERRORS->Records(); ++n) {
    ASSERT_TRUE(manager.ERRORS->Get(n));
    const uint16_t id = manager.ERRORS->buffer.ID;
    EXPECT_EQ(manager.CategoryOf(id), "App") << id;
  }
  EXPECT_EQ(manager.CategoryOf(DefaultCategoryId), "App");
  EXPECT_EQ(manager.CategoryOf(999), "App") << "an id that is not loaded has the default category";
}

TEST_F(Categories, AssignedCategoriesAndTheDefault) {
  manager.AssignCategory(23, "Files");
  manager.AssignCategory(999, "Nowhere");  // not loaded: changes nothing
  manager.AssignCategory(DefaultCategoryId, "Shop");
  EXPECT_EQ(manager.CategoryOf(23), "Files");
  EXPECT_EQ(manager.CategoryOf(8), "Shop");
  EXPECT_EQ(manager.CategoryOf(999), "Shop");
  EXPECT_EQ(manager.CategoryOf(DefaultCategoryId), "Shop");
  manager.AssignCategory(23, "");
  EXPECT_EQ(manager.CategoryOf(23), "Shop") << "an empty own category falls back to the default";
}

TEST_F(Categories, AssigningKeepsTheEntryIntact) {
  manager.AssignCategory(23, "Files");
  ASSERT_EQ(manager.Locate(23), LevelOk);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "File Access Error");
  EXPECT_EQ(manager.CurrentEntry().FATALITY, LevelFatal);
  EXPECT_EQ(manager.CurrentEntry().CATEGORY, "Files");
  EXPECT_EQ(manager.ERRORS->Records(), 43);
}

}  // namespace
