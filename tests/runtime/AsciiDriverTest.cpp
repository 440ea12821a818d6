// The text driver: one record per line, as the error log uses it.
#include <gtest/gtest.h>

#include <functional>

#include "FileTestDir.h"
#include "platform/FileSystem.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"

namespace {

using quibra_test::FileTestDir;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string all;
  for (const auto& l : lines) all += l + std::string(os::LineEnd());
  return all;
}

struct LineCase {
  const char* label;
  std::string text;
  std::string line;
};

TEST(AsciiLines, EachRecordIsOneLineWithoutItsTrailingBlanks) {
  const LineCase cases[] = {
      {"trailing blanks dropped", "hello", "hello"},
      {"leading and inner blanks kept", "  a  b", "  a  b"},
      {"a blank record is an empty line", "", ""},
      {"cut to the field's 16 bytes", "0123456789abcdefXYZ", "0123456789abcdef"},
      {"CR and LF become blanks", "a\r\nb", "a  b"},
      {"NUL becomes a blank", std::string("a\0b", 3), "a b"},
      {"a line break at the end goes with the blanks", "ab\n", "ab"},
      {"tabs are kept", "a\t", "a\t"},
  };
  FileTestDir dir;
  rt::FixedString<16> txt;
  for (const auto& c : cases) {
    std::string path = dir.Path("lines.log");
    rt::File file("ASCII", path, {rt::FileField::Of("TXT", txt)});
    ASSERT_TRUE(file.Create()) << c.label;
    ASSERT_TRUE(file.Open(0x42)) << c.label;
    txt = c.text;
    EXPECT_TRUE(file.Add()) << c.label;
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone) << c.label;
    EXPECT_TRUE(file.Close()) << c.label;
    EXPECT_EQ(FileTestDir::Read(path), Lines({c.line})) << c.label;
  }
}

TEST(AsciiLines, FieldsAreLaidEndToEnd) {
  FileTestDir dir;
  rt::FixedString<4> code;
  rt::CString<8> name;
  rt::File file("ASCII", dir.Path("two.log"), {rt::FileField::Of("CODE", code), rt::FileField::Of("NAME", name)});
  ASSERT_TRUE(file.Create());
  ASSERT_TRUE(file.Open(0x42));
  code = "ab";
  name = "cd  ";
  EXPECT_TRUE(file.Add());
  code = "wxyz";
  name = "far too long";  // the field keeps 7
  EXPECT_TRUE(file.Add());
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(FileTestDir::Read(dir.Path("two.log")), Lines({"ab  cd", "wxyzfar too"}));
}

TEST(AsciiLog, LinesAreAddedAtTheEndAcrossOpensAndAtTheRecordsFullLength) {
  FileTestDir dir;
  std::string path = dir.Path("AppError.Log");
  rt::FixedString<1024> txt;
  rt::File log("ASCII", path, {rt::FileField::Of("TXT", txt)});
  EXPECT_FALSE(log.Exists());
  ASSERT_TRUE(log.Create());
  EXPECT_TRUE(log.Exists());
  for (const char* text : {"first", "second"}) {
    ASSERT_TRUE(log.Open(0x42));
    txt = text;
    ASSERT_TRUE(log.Add());
    ASSERT_TRUE(log.Close());
  }
  std::string longText(1100, 'x');
  ASSERT_TRUE(log.Open(0x42));
  txt = longText;
  ASSERT_TRUE(log.Add());
  ASSERT_TRUE(log.Close());
  EXPECT_EQ(FileTestDir::Read(path), Lines({"first", "second", std::string(1024, 'x')}));
}

TEST(AsciiLog, TwoOpenersThatShareTheLogBothWrite) {
  FileTestDir dir;
  std::string path = dir.Path("shared.log");
  rt::FixedString<32> a, b;
  rt::File one("ASCII", path, {rt::FileField::Of("TXT", a)});
  rt::File two("ASCII", path, {rt::FileField::Of("TXT", b)});
  ASSERT_TRUE(one.Create());
  ASSERT_TRUE(one.Open(0x42));
  ASSERT_TRUE(two.Open(0x42));
  a = "from one";
  b = "from two";
  EXPECT_TRUE(one.Add());
  EXPECT_TRUE(two.Add());
  EXPECT_TRUE(one.Add());
  EXPECT_EQ(FileTestDir::Read(path), Lines({"from one", "from two", "from one"}));
}

TEST(AsciiLog, AnExclusiveHolderKeepsTheLogShutUntilItCloses) {
  FileTestDir dir;
  std::string path = dir.Path("locked.log");
  rt::FixedString<32> txt;
  rt::File log("ASCII", path, {rt::FileField::Of("TXT", txt)});
  ASSERT_TRUE(log.Create());
  {
    rt::File holder("ASCII", path, {rt::FileField::Of("TXT", txt)});
    ASSERT_TRUE(holder.Open(0x12));
    EXPECT_FALSE(log.Open(0x42));
    EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
    EXPECT_FALSE(log.IsOpen());
    EXPECT_FALSE(log.Create()) << "emptying a file another opener denies writing";
    EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
  }  // the holder closes as it goes
  EXPECT_TRUE(log.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrNone);
}

TEST(AsciiLog, CreateEmptiesAnExistingFileAndOpenReportsWhatIsMissing) {
  FileTestDir dir;
  std::string path = dir.Path("old.log");
  FileTestDir::Write(path, "old line\n");
  rt::FixedString<8> txt;
  rt::File log("ASCII", path, {rt::FileField::Of("TXT", txt)});
  EXPECT_TRUE(log.Create());
  EXPECT_EQ(FileTestDir::Read(path), "");
  rt::File missing("ASCII", dir.Path("none.log"), {rt::FileField::Of("TXT", txt)});
  EXPECT_FALSE(missing.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrFileNotFound);
  rt::File nowhere("ASCII", dir.Path("none/x.log"), {rt::FileField::Of("TXT", txt)});
  EXPECT_FALSE(nowhere.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrPathNotFound);
  EXPECT_FALSE(nowhere.Create());
  EXPECT_EQ(rt::ErrorCode(), rt::ErrPathNotFound);
}

TEST(AsciiRecords, ARecordThatIsNotAllTextIsRefused) {
  FileTestDir dir;
  std::string path = dir.Path("bad.log");
  FileTestDir::Write(path, "");
  int32_t number = 0;
  rt::File numeric("ASCII", path, {rt::FileField::Of("N", number)});
  EXPECT_FALSE(numeric.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidDeclaration);
  EXPECT_FALSE(numeric.IsOpen());
  rt::File empty("ASCII", path, {});
  EXPECT_FALSE(empty.Open(0x42));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidDeclaration);
}

TEST(AsciiRecords, KeyedOperationsAreNotOffered) {
  FileTestDir dir;
  std::string path = dir.Path("plain.log");
  rt::FixedString<8> txt;
  rt::File file("ASCII", path, {rt::FileField::Of("TXT", txt)});
  ASSERT_TRUE(file.Create());
  ASSERT_TRUE(file.Open(0x42));
  const std::pair<const char*, std::function<void(rt::File&)>> ops[] = {
      {"build keys", [](rt::File& f) { f.BuildKeys(); }}, {"put", [](rt::File& f) { f.Put(); }},
      {"delete", [](rt::File& f) { f.Delete(); }},        {"position", [](rt::File& f) { f.Position(); }},
      {"re-get", [](rt::File& f) { f.Reget(0, "1"); }},   {"driver command", [](rt::File& f) { f.Send("Recover=5"); }},
      {"get state", [](rt::File& f) { f.GetState(); }},   {"get nulls", [](rt::File& f) { f.GetNulls(); }},
      {"set nulls", [](rt::File& f) { f.SetNulls(""); }}, {"property", [](rt::File& f) { f.GetProperty(29457); }},
  };
  for (const auto& [label, op] : ops) {
    rt::ClearError();
    op(file);
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNotSupported) << label;
  }
  txt = "still fine";
  EXPECT_TRUE(file.Add()) << "the file stays usable";
}

}  // namespace
