// The stored table format, the default table, loading and looking ids up.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ManagerTest.h"
#include "framework/error/DefaultErrorTable.h"
#include "framework/error/ErrorManager.h"

namespace {

using namespace quibra;

struct Definition {
  uint16_t id;
  uint8_t level;
  const char* title;
  const char* message;
};

// The definitions the program must carry, in stored order.
const Definition kDefaultDefinitions[] = {
    {27, 5, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {26, 3, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {10, 3, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {24, 5, "Procedure not defined", "The Procedure %Message has not been defined."},
    {17, 5, "Range Error", "The value of %Field must be lower than %Message."},
    {18, 5, "Range Error", "The value of %Field must be higher than %Message."},
    {16, 5, "Range Error", "The value of %Field must be in range %Message."},
    {14, 5, "Field contents error", "The value of %Field must be found in the %Message file."},
    {31, 5, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from change and have been "
     "reset to original values."},
    {30, 5, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these references exist."},
    {4, 5, "Record Insert Error",
     "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."},
    {6, 5, "Record Was Not Updated", "This record was changed by another station."},
    {7, 5, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+' "
     "to recall your changes."},
    {34, 1, "Record Update Error", "An error was experienced changing this record. Do you want to try to save again?"},
    {33, 1, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {20, 5, "Invalid Request", "This form cannot be used to insert a record"},
    {38, 5, "Invalid Request", "This form cannot be used to update a record"},
    {12, 5, "Invalid Request", "This form cannot be used to delete a record"},
    {8, 1, "Changes will be lost!", "Are you sure you want to cancel?"},
    {13, 5, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key: %Message"},
    {32, 1, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Error: %ErrorText.|Try Again?"},
    {19, 5, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {36, 1, "Beginning of File Error",
     "The beginning of the file %File was encountered. Do you want to start again from the end of the file?"},
    {37, 1, "End of File Error",
     "The end of the file %File was encountered. Do you want to start again from the beginning?"},
    {23, 3, "File Access Error", "File %File could not be opened.  Error: %ErrorText."},
    {25, 5, "Record was not updated", "An error (%ErrorText) was experienced when making changes to the %File file."},
    {11, 5, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {9, 1, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {35, 1, "Save Record", "Do you want to save the changes to this record?"},
    {21, 5, "Transaction cancelled", "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {1, 5, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."},
    {40, 5, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {3, 1, "Record Added", "This record has been added to the file. Do you want to add another record?"},
    {28, 5, "Record not read", "A record held by another station was encountered reading from the %File file."},
    {5, 5, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {15, 5, "Value Error", "The value of %Field must be in the list : %Message."},
    {22, 5, "No Records", "There are no records available to process."},
    {2, 5, "Access Denied", "Could not get write access to %File so trying read-only."},
    {39, 2, "File Usage Error", "Attempt to use file (%File) before it was opened"},
    {41, 5, "Unsupported QBE Column",
     "The saved QBE column, %Field is not supported. It will be dropped from the query."},
    {42, 5, "SMTP Error", "The following SMTP Error occurred: %Message "},
    {43, 5, "NNTP Error", "%Message "},
    {44, 5, "Winsock Error", "%Message "},
};

TEST(DefaultErrorTable, LoadsToExactlyTheListedDefinitions) {
  ErrorManager manager;
  const int32_t loaded = manager.LoadTable(DefaultErrorTable(), DefaultErrorTableSize());
  const int32_t expected = static_cast<int32_t>(std::size(kDefaultDefinitions));
  ASSERT_EQ(expected, 43);
  ASSERT_EQ(loaded, expected);
  ASSERT_EQ(manager.ERRORS->Records(), expected);
  for (int32_t n = 1; n <= expected; ++n) {
    const Definition& want = kDefaultDefinitions[n - 1];
    SCOPED_TRACE("entry " + std::to_string(n) + ", id " + std::to_string(want.id));
    ASSERT_TRUE(manager.ERRORS->Get(n));
    const ErrorEntry& got = manager.ERRORS->buffer;
    EXPECT_EQ(got.ID, want.id);
    EXPECT_EQ(got.FATALITY, want.level);
    EXPECT_EQ(got.TITLE, want.title);
    EXPECT_EQ(got.MESSAGE, want.message);
    EXPECT_EQ(got.CATEGORY, "");
  }
}

TEST(DefaultErrorTable, IsExactlyItsEntriesWithNothingAfterThem) {
  std::size_t size = 2;
  for (const Definition& d : kDefaultDefinitions)
    size += 2 + 1 + 1 + std::string(d.title).size() + 1 + std::string(d.message).size();
  EXPECT_EQ(DefaultErrorTableSize(), size);
  const uint8_t* table = DefaultErrorTable();
  EXPECT_EQ(table[0] | table[1] << 8, 43) << "the count is little-endian";
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
  for (const Definition& d : kDefaultDefinitions) EXPECT_EQ(manager.CategoryOf(d.id), "App") << d.id;
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
