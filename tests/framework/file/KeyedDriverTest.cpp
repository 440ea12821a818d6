// The keyed driver over real files: what an open says about a file, keys and
// their rebuilding, records by key and position across a reopen, large
// objects and null flags, sharing with another process, the recover wait,
// another program's write lock, and a writer killed in the middle of writing.
#include <filesystem>
#include <functional>
#include <thread>

#include "FileKit.h"
#include "platform/FileSystem.h"
#include "platform/ThisOs.h"
#include "runtime/ErrorState.h"
#include "runtime/FileDriver.h"
#include "runtime/FileProperties.h"
#include "support/ChildProcess.h"
#ifdef QUIBRA_HAVE_SQLITE
#include "runtime/sqlite/SqliteDriver.h"
#endif

namespace filetest {
namespace {

class KeyedFile : public FileTest {};

#ifndef QUIBRA_HAVE_SQLITE

// A build without SQLite still knows what such a file needs.
TEST_F(KeyedFile, ABuildWithoutSqliteSaysSoWhenSuchAFileIsOpened) {
  auto file = ItemFile(dir.File("items.db"), item);
  EXPECT_FALSE(file->Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidDeclaration);
  EXPECT_NE(rt::ErrorText().find("no SQLITE file driver"), std::string::npos) << rt::ErrorText();
  EXPECT_NE(rt::ErrorText().find("without SQLite"), std::string::npos) << rt::ErrorText();
}

#else

TEST(KeyedDriverName, AProgramThatDidNotRegisterTheDriverIsToldHowTo) {
  EXPECT_NE(rt::FileDriver::MissingText("sqlite").find("rt::RegisterSqliteDriver"), std::string::npos);
  EXPECT_NE(rt::FileDriver::MissingText("BTREE").find("no file driver is named \"BTREE\""), std::string::npos);
}

struct OpenCase {
  const char* label;
  std::function<void(const std::string& path)> make;
  int32_t code;
};

const OpenCase openCases[] = {
    {"sound file", [](const std::string& p) { MakeItems(p, {}); }, rt::ErrNone},
    {"missing file", [](const std::string&) {}, rt::ErrFileNotFound},
    {"not a database", [](const std::string& p) { quibra_test::WriteBytes(p, "CODE,NAME\nA,Apple\n"); },
     rt::ErrFileSystem},
    {"no records table", [](const std::string& p) { RunSql(p, "CREATE TABLE other (x)"); }, rt::ErrInvalidDeclaration},
    {"a field missing",
     [](const std::string& p) { RunSql(p, "CREATE TABLE records (id INTEGER PRIMARY KEY, CODE, NAME, NOTE)"); },
     rt::ErrInvalidDeclaration},
    {"key dropped",
     [](const std::string& p) {
       MakeItems(p, {});
       RunSql(p, "DROP INDEX key2");
     },
     rt::ErrKeysNeedRebuild},
    {"key made another way",
     [](const std::string& p) {
       MakeItems(p, {});
       RunSql(p, "DROP INDEX key1; CREATE INDEX key1 ON records (NAME)");
     },
     rt::ErrKeysNeedRebuild},
};

TEST_F(KeyedFile, OpenSaysWhatIsWrongWithTheFileAndKeysCanBeRebuilt) {
  for (const OpenCase& c : openCases) {
    const std::string path = dir.File(std::string(c.label) + ".db");
    c.make(path);
    auto file = ItemFile(path, item);
    EXPECT_EQ(file->Open(0x42), c.code == rt::ErrNone) << c.label;
    EXPECT_EQ(rt::ErrorCode(), c.code) << c.label << ": " << rt::ErrorText();
    if (c.code == rt::ErrKeysNeedRebuild) {
      EXPECT_TRUE(file->BuildKeys()) << c.label << ": " << rt::ErrorText();
      EXPECT_TRUE(file->Open(0x42)) << c.label << " after the rebuild: " << rt::ErrorText();
    }
  }
}

TEST_F(KeyedFile, ARebuildThatMeetsDuplicatesChangesNothing) {
  const std::string path = dir.File("dup.db");
  MakeItems(path, {ItemOf("A", "Apple", 1), ItemOf("B", "Banana", 2)});
  ASSERT_EQ(RunSql(path, "DROP INDEX key1; UPDATE records SET CODE = 'a'"), "");
  auto file = ItemFile(path, item);
  EXPECT_FALSE(file->BuildKeys());
  EXPECT_EQ(rt::ErrorCode(), rt::ErrDuplicateKey);
  EXPECT_NE(rt::ErrorText().find("BYCODE"), std::string::npos) << rt::ErrorText();
  EXPECT_FALSE(file->Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrKeysNeedRebuild) << "the old keys were not half replaced";
}

TEST_F(KeyedFile, RecordsComeBackByKeyAndByPositionAfterAReopen) {
  const std::string path = dir.File("items.db");
  MakeItems(path, {ItemOf("A", "Apple", 1), ItemOf("B", "Banana", 2), ItemOf("C", "Cherry", 3)});
  auto file = ItemFile(path, item);
  ASSERT_TRUE(file->Open(0x42));
  SetItem(item, "b", "", 0);
  ASSERT_TRUE(file->Get(1)) << "the code key ignores case";
  EXPECT_EQ(NameOf(item), "Banana");
  const std::string inFile = file->Position(0), byCode = file->Position(1), byName = file->Position(2);
  SetItem(item, "B", "Other", 0);
  EXPECT_FALSE(file->Add());
  EXPECT_EQ(rt::ErrorCode(), rt::ErrDuplicateKey);
  EXPECT_EQ(rt::ErrorText(), "Creates Duplicate Key: BYCODE");
  ASSERT_TRUE(file->Close());

  ASSERT_TRUE(file->Open(0x42));
  const std::pair<int32_t, std::string> ways[] = {{0, inFile}, {1, byCode}, {2, byName}};
  for (const auto& [key, position] : ways) {
    SetItem(item, "", "", 0);
    EXPECT_TRUE(file->Reget(key, position)) << "key " << key << ": " << rt::ErrorText();
    EXPECT_EQ(CodeOf(item) + NameOf(item) + std::to_string(item.QTY), "BBanana2") << "key " << key;
  }
  EXPECT_FALSE(file->Reget(2, byCode)) << "a position of one key is not one of another";
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
  item.QTY = 20;
  ASSERT_TRUE(file->Put());
  EXPECT_EQ(ReadItem(path, "B"), "B|Banana|20") << "another program sees the change";
  ASSERT_TRUE(file->Delete());
  EXPECT_FALSE(file->Reget(0, inFile));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrRecordNotFound);
  EXPECT_EQ(ReadItem(path, "B"), "");
}

// SQLite takes UTF-8 names; on Windows the program's names are in the code
// page, so a name with an accented letter must reach the same file.
TEST_F(KeyedFile, ANameWithAnAccentedLetterIsTheFileOfThatName) {
  const std::string path = dir.File(os::TextIsUtf8() ? "caf\xC3\xA9.db" : "caf\xE9.db");
  auto file = ItemFile(path, item);
  ASSERT_TRUE(file->Create()) << rt::ErrorText();
  ASSERT_TRUE(file->Open(0x42)) << rt::ErrorText();
  SetItem(item, "A", "Apple", 1);
  ASSERT_TRUE(file->Add()) << rt::ErrorText();
  ASSERT_TRUE(file->Close());
  EXPECT_TRUE(os::Exists(path)) << "the file has the name the program gave it";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1)
      << "and no other";
  ASSERT_TRUE(file->Open(0x40)) << rt::ErrorText();
  SetItem(item, "A", "", 0);
  EXPECT_TRUE(file->Get(1));
  EXPECT_EQ(NameOf(item), "Apple");
}

TEST_F(KeyedFile, LargeObjectsAndNullFlagsKeepEveryByte) {
  const std::string path = dir.File("notes.db");
  MakeItems(path, {});
  auto file = ItemFile(path, item);
  ASSERT_TRUE(file->Open(0x42));
  const std::string notes[] = {"", "trailing   ", std::string("nul\0inside", 10), std::string(100000, 'x')};
  for (std::size_t i = 0; i < std::size(notes); ++i) {
    SetItem(item, "N" + std::to_string(i), "name", static_cast<int32_t>(i));
    ASSERT_TRUE(file->SetProperty(rt::PropLargeObject, notes[i], -1));
    ASSERT_TRUE(file->SetNulls(i == 0 ? "0101" : "0000"));
    ASSERT_TRUE(file->Add()) << rt::ErrorText();
  }
  ASSERT_TRUE(file->Close());
  ASSERT_TRUE(file->Open(0x40));
  EXPECT_EQ(file->GetProperty(rt::PropLargeObjectCount), "1");
  for (std::size_t i = 0; i < std::size(notes); ++i) {
    SetItem(item, "N" + std::to_string(i), "", -1);
    ASSERT_TRUE(file->Get(1));
    EXPECT_EQ(file->GetProperty(rt::PropLargeObject, -1), i == 0 ? "" : notes[i]) << i;
    EXPECT_EQ(file->GetNulls(), i == 0 ? "0101" : "0000") << i;
    EXPECT_EQ(NameOf(item), i == 0 ? "" : "name") << "a null field reads back blank";
  }
  EXPECT_FALSE(file->Add()) << "a file opened for reading takes no record";
}

struct SharingCase {
  const char* label;
  int theirs;
  uint8_t mine;
  bool opens;
};

const SharingCase sharingCases[] = {
    {"they deny all", 0x12, 0x40, false},
    {"they deny writing, I write", 0x20, 0x42, false},
    {"they deny writing, I read", 0x20, 0x40, true},
    {"they deny nothing, I write", 0x42, 0x42, true},
    {"they write, I deny writing", 0x42, 0x20, false},
};

TEST_F(KeyedFile, AnotherProcessesSharingIsHonoured) {
  const std::string path = dir.File("shared.db");
  MakeItems(path, {});
  for (const SharingCase& c : sharingCases) {
    Holder other(path, "share", c.theirs);
    ASSERT_TRUE(other.Holding()) << c.label;
    auto file = ItemFile(path, item);
    EXPECT_EQ(file->Open(c.mine), c.opens) << c.label << ": " << rt::ErrorText();
    EXPECT_EQ(rt::ErrorCode(), c.opens ? rt::ErrNone : rt::ErrAccessDenied) << c.label;
  }
}

TEST_F(KeyedFile, TheRecoverCommandWaitsForTheOtherOpenerToLetGo) {
  const std::string path = dir.File("held.db");
  MakeItems(path, {});
  Holder other(path, "share", 0x12);
  ASSERT_TRUE(other.Holding());
  auto file = ItemFile(path, item);
  EXPECT_FALSE(file->Open(0x42));
  file->Send("Recover=0");
  EXPECT_FALSE(file->Open(0x42)) << "no wait asked for";
  std::thread letGo([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    other.Release();
  });
  EXPECT_NE(file->Send("recover=30").find("30 seconds"), std::string::npos);
  EXPECT_TRUE(file->Open(0x42)) << rt::ErrorText();
  letGo.join();
}

TEST_F(KeyedFile, AnotherProgramsWriteMakesAWriteWaitThenFail) {
  const std::string path = dir.File("busy.db");
  MakeItems(path, {ItemOf("A", "Apple", 1)});
  auto file = ItemFile(path, item);
  ASSERT_TRUE(file->Open(0x42));
  SetItem(item, "A", "", 0);
  ASSERT_TRUE(file->Get(1));
  EXPECT_EQ(file->Send("LockWait=50"), "LockWait=50");
  {
    Holder writer(path, "write");
    ASSERT_TRUE(writer.Holding());
    item.QTY = 7;
    EXPECT_FALSE(file->Put());
    EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied) << rt::ErrorText();
  }
  EXPECT_TRUE(file->Put()) << "once the other program is done: " << rt::ErrorText();
  EXPECT_EQ(ReadItem(path, "A"), "A|Apple|7");
}

// Rewrites item A over and over, each write a count that its name repeats.
// On Windows the child runs it while the program is still starting, before
// any test has registered the driver.
int WriteForever(const std::string& path) {
  rt::RegisterSqliteDriver();
  Item item{};
  auto file = ItemFile(path, item);
  if (!file->Open(0x42)) return 3;
  SetItem(item, "A", "", 0);
  if (!file->Get(1)) return 4;
  for (int32_t n = 1;; ++n) {
    SetItem(item, "A", "count " + std::to_string(n), n);
    if (!file->Put()) return 5;
    if (n == 20) quibra_test::WriteBytes(path + ".busy", "");
  }
}
[[maybe_unused]] const bool servesWriter = quibra_test::ChildProcess::Serve("b8-writer", &WriteForever);

TEST_F(KeyedFile, AWriterKilledMidWriteLeavesTheLastCommittedRecord) {
  const std::string path = dir.File("crash.db");
  MakeItems(path, {ItemOf("A", "count 0", 0)});
  for (int round = 0; round < 3; ++round) {
    std::filesystem::remove(path + ".busy");
    quibra_test::ChildProcess writer = quibra_test::ChildProcess::Start("b8-writer", &WriteForever, path);
    ASSERT_TRUE(writer.Started());
    ASSERT_TRUE(quibra_test::AwaitFile(path + ".busy"));
    std::this_thread::sleep_for(std::chrono::milliseconds(7 * round));
    writer.Kill();
    EXPECT_EQ(writer.Wait(), -1) << "the writer was still writing when it was killed";
    const std::string seen = ReadItem(path, "A");
    const std::size_t bar = seen.rfind('|');
    ASSERT_NE(bar, std::string::npos) << seen;
    EXPECT_EQ(seen, "A|count " + seen.substr(bar + 1) + "|" + seen.substr(bar + 1))
        << "a whole record, round " << round;
    EXPECT_GE(std::stoi(seen.substr(bar + 1)), 20);
    EXPECT_EQ(RunSql(path, "PRAGMA integrity_check"), "");
  }
}

#endif

}  // namespace
}  // namespace filetest
