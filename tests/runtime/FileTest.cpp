// Files through their driver: the checks every driver shares (open or not,
// write access, key numbers), driver lookup, and the error state each
// operation leaves.
#include <gtest/gtest.h>

#include <functional>

#include "FileTestDir.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"
#include "runtime/FileDriver.h"

namespace {

using quibra_test::FileTestDir;

// A driver that records which operations reached it and succeeds, so that
// the File's own checks can be seen apart from any real driver's.
std::vector<std::string> reached;

class RecordingDriver : public rt::FileDriver {
 public:
  using FileDriver::FileDriver;
  static std::unique_ptr<FileDriver> Make(rt::File& f) { return std::make_unique<RecordingDriver>(f); }
  bool Create() override { return Note("Create"); }
  bool Open(uint8_t) override { return Note("Open"); }
  bool Close() override { return Note("Close"); }
  bool Add() override { return Note("Add"); }
  bool Put() override { return Note("Put"); }
  bool Delete() override { return Note("Delete"); }
  bool Get(int32_t key) override { return Note("Get " + std::to_string(key)); }
  std::string Position(int32_t key) override {
    Note("Position " + std::to_string(key));
    return "7";
  }

 private:
  static bool Note(const std::string& what) {
    reached.push_back(what);
    return true;
  }
};

struct GuardCase {
  const char* label;
  uint8_t openMode;  // 0xFF: leave the file closed
  std::function<bool(rt::File&)> op;
  int32_t code;         // the error state afterwards
  const char* reaches;  // what the driver saw, or "" when the File stopped it
};

TEST(FileGuards, TheFileChecksStateAccessAndKeysBeforeItsDriver) {
  rt::FileDriver::Register("recording", &RecordingDriver::Make);
  const GuardCase cases[] = {
      {"add to a closed file", 0xFF, [](rt::File& f) { return f.Add(); }, rt::ErrFileNotOpen, ""},
      {"close a closed file", 0xFF, [](rt::File& f) { return f.Close(); }, rt::ErrFileNotOpen, ""},
      {"put to a closed file", 0xFF, [](rt::File& f) { return f.Put(); }, rt::ErrFileNotOpen, ""},
      {"get from a closed file", 0xFF, [](rt::File& f) { return f.Get(1); }, rt::ErrFileNotOpen, ""},
      {"open twice", 0x42, [](rt::File& f) { return f.Open(0x42); }, rt::ErrFileAlreadyOpen, ""},
      {"create while open", 0x42, [](rt::File& f) { return f.Create(); }, rt::ErrFileAlreadyOpen, ""},
      {"add when opened to read", 0x40, [](rt::File& f) { return f.Add(); }, rt::ErrAccessDenied, ""},
      {"put when opened to read", 0x20, [](rt::File& f) { return f.Put(); }, rt::ErrAccessDenied, ""},
      {"delete when opened to read", 0x00, [](rt::File& f) { return f.Delete(); }, rt::ErrAccessDenied, ""},
      {"get by key 0", 0x42, [](rt::File& f) { return f.Get(0); }, rt::ErrInvalidArgument, ""},
      {"get by a key the file lacks", 0x42, [](rt::File& f) { return f.Get(2); }, rt::ErrInvalidArgument, ""},
      {"position in a key the file lacks", 0x42, [](rt::File& f) { return !f.Position(-1).empty(); },
       rt::ErrInvalidArgument, ""},
      {"add when opened to write", 0x41, [](rt::File& f) { return f.Add(); }, rt::ErrNone, "Add"},
      {"get by the file's key", 0x40, [](rt::File& f) { return f.Get(1); }, rt::ErrNone, "Get 1"},
      {"position in file order", 0x40, [](rt::File& f) { return f.Position() == "7"; }, rt::ErrNone, "Position 0"},
      {"close an open file", 0x40, [](rt::File& f) { return f.Close(); }, rt::ErrNone, "Close"},
  };
  for (const auto& c : cases) {
    rt::File file("Recording", "data.dat", {}, {rt::FileKey{"K1", {{1, false}}, true, true}});
    if (c.openMode != 0xFF) {
      ASSERT_TRUE(file.Open(c.openMode)) << c.label;
    }
    reached.clear();
    rt::SetError(rt::ErrRecordNotFound);  // a stale error must not survive a success
    bool ok = c.op(file);
    EXPECT_EQ(ok, c.code == rt::ErrNone) << c.label;
    EXPECT_EQ(rt::ErrorCode(), c.code) << c.label;
    std::string seen = reached.empty() ? "" : reached.front();
    EXPECT_EQ(seen, c.reaches) << c.label;
  }
}

TEST(FileGuards, AFailedSecondOpenLeavesTheFileOpenAsItWas) {
  rt::File file("recording", "data.dat", {});
  ASSERT_TRUE(file.Open(0x40));
  EXPECT_FALSE(file.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrFileAlreadyOpen);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.AccessMode(), 0x40);
}

TEST(FileDrivers, AreFoundByNameWithoutRegardToCase) {
  FileTestDir dir;
  std::string path = dir.Path("x.log");
  rt::FixedString<10> line;
  for (const char* name : {"ASCII", "ascii", "Ascii  "}) {
    rt::File file(name, path, {rt::FileField::Of("TXT", line)});
    EXPECT_TRUE(file.Create()) << name;
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone) << name;
  }
}

TEST(FileDrivers, AnUnknownDriverFailsEveryOperationClearly) {
  rt::File file("NOSUCH", "x.dat", {});
  EXPECT_FALSE(file.Create());
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidDeclaration);
  EXPECT_NE(rt::ErrorText().find("NOSUCH"), std::string::npos) << rt::ErrorText();
  EXPECT_FALSE(file.Open());
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidDeclaration);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Send("Recover=5"), "");
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidDeclaration);
}

TEST(FileNames, AreUsedWithoutTrailingBlanksAndMayChangeBetweenOpens) {
  FileTestDir dir;
  FileTestDir::Write(dir.Path("one.log"), "");
  rt::FixedString<10> line;
  rt::File file("ASCII", dir.Path("one.log") + "    ", {rt::FileField::Of("TXT", line)});
  EXPECT_EQ(file.Name(), dir.Path("one.log"));
  EXPECT_TRUE(file.Exists());
  EXPECT_TRUE(rt::File::Exists(dir.Path("one.log") + "  "));
  EXPECT_FALSE(rt::File::Exists(dir.Path("two.log")));
  EXPECT_FALSE(rt::File::Exists("   "));
  file.SetName(dir.Path("two.log"));
  EXPECT_FALSE(file.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrFileNotFound);
  file.SetName("");
  EXPECT_FALSE(file.Create());
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
}

}  // namespace
