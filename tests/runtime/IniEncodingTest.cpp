// INI files in UTF-16 or with a UTF-8 byte-order mark, as Windows editors save
// them: read in their encoding and written back in it, other lines kept, and
// names and values converted to and from the program's texts.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

#include "FileTestDir.h"
#include "platform/ThisOs.h"
#include "runtime/ErrorState.h"
#include "runtime/Ini.h"

namespace {

using quibra_test::FileTestDir;
using quibra_test::kUtf8Mark;
using quibra_test::Utf16;

// A text as the program holds it: UTF-8 where its texts are UTF-8, else the
// Windows Western code page (the one Wine runs the Windows tests in).
struct ProgramText {
  std::string utf8;
  std::string western;
  const std::string& Here() const { return os::TextIsUtf8() ? utf8 : western; }
};

// The cases below know the program's texts as UTF-8 or as the Western code
// page; another code page would read the same files as other bytes.
bool KnownCodePage() {
#ifdef _WIN32
  return os::TextIsUtf8() || GetACP() == 1252;
#else
  return true;
#endif
}

const ProgramText kEAcute{"\xC3\xA9", "\xE9"};

struct EncodedRead {
  const char* label;
  std::string file;
  ProgramText section, entry, expected;
};

TEST(IniEncoding, ReadsFilesWithAByteOrderMark) {
  if (!KnownCodePage()) GTEST_SKIP() << "the program's texts are in a code page these cases do not know";
  const EncodedRead reads[] = {
      {"UTF-16LE", Utf16(u"[s]\r\nk=v\r\n"), {"s", "s"}, {"k", "k"}, {"v", "v"}},
      {"UTF-16LE, a value outside ASCII",
       Utf16(u"[s]\r\nk=caf\u00E9\r\n"),
       {"s", "s"},
       {"k", "k"},
       {"caf\xC3\xA9", "caf\xE9"}},
      {"UTF-16LE, names outside ASCII",
       Utf16(u"[Caf\u00E9]\r\nNa\u00EFve=1\r\n"),
       {"Caf\xC3\xA9", "Caf\xE9"},
       {"Na\xC3\xAFve", "Na\xEFve"},
       {"1", "1"}},
      {"UTF-16LE, blanks and quotes", Utf16(u"  [ s ]\r\n\tk = \" v \" \r\n"), {"s", "s"}, {"k", "k"}, {" v ", " v "}},
      {"UTF-16LE, no final line end", Utf16(u"[s]\r\nk=v"), {"s", "s"}, {"k", "k"}, {"v", "v"}},
      {"UTF-16LE, LF lines", Utf16(u"[a]\nx=1\n[s]\nk=v\n"), {"s", "s"}, {"k", "k"}, {"v", "v"}},
      {"UTF-16LE, a character the code page lacks",
       Utf16(u"[s]\r\nk=\u263A\r\n"),
       {"s", "s"},
       {"k", "k"},
       {"\xE2\x98\xBA", "?"}},
      {"UTF-16LE, only the mark", Utf16(u""), {"s", "s"}, {"k", "k"}, {"d", "d"}},
      {"UTF-16BE", Utf16(u"[s]\r\nk=\u00E9\r\n", true), {"s", "s"}, {"k", "k"}, kEAcute},
      {"UTF-8 with its mark", kUtf8Mark + "[s]\r\nk=\xC3\xA9\r\n", {"s", "s"}, {"k", "k"}, kEAcute},
      {"UTF-8 with its mark, a name outside ASCII",
       kUtf8Mark + "[s]\r\n\xC3\xA9=1\r\n",
       {"s", "s"},
       kEAcute,
       {"1", "1"}},
  };
  FileTestDir dir;
  int n = 0;
  for (const EncodedRead& c : reads) {
    const std::string path = dir.Path("read" + std::to_string(n++) + ".ini");
    FileTestDir::Write(path, c.file);
    EXPECT_EQ(rt::GetIni(c.section.Here(), c.entry.Here(), "d", path), c.expected.Here()) << c.label;
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone) << c.label;
  }
}

struct EncodedWrite {
  const char* label;
  std::string before;
  const char* section;
  const char* entry;
  ProgramText value;
  std::string after;
};

TEST(IniEncoding, WritesFilesBackInTheirEncoding) {
  if (!KnownCodePage()) GTEST_SKIP() << "the program's texts are in a code page these cases do not know";
  // Lines that no write may touch: a character no code page of one byte has,
  // one beyond the first 65536 (two units) and half of such a pair alone.
  const std::u16string kept = u"; \u263A \U0001F600 \xDC00\r\n";
  const EncodedWrite writes[] = {
      {"UTF-16LE, change a value",
       Utf16(kept + u"[s]\r\nk=old\r\nj=1\r\n"),
       "s",
       "k",
       {"new", "new"},
       Utf16(kept + u"[s]\r\nk=new\r\nj=1\r\n")},
      {"UTF-16LE, add an entry outside ASCII", Utf16(u"[s]\r\nk=1\r\n" + kept), "s", "j", kEAcute,
       Utf16(u"[s]\r\nk=1\r\nj=\u00E9\r\n" + kept)},
      {"UTF-16LE, add a section",
       Utf16(kept + u"[s]\r\nk=1\r\n"),
       "t",
       "j",
       {"v", "v"},
       Utf16(kept + u"[s]\r\nk=1\r\n\r\n[t]\r\nj=v\r\n")},
      {"UTF-16LE, a file of only the mark", Utf16(u""), "s", "k", {"v", "v"}, Utf16(u"[s]\r\nk=v\r\n")},
      {"UTF-16LE, an entry above the first section", Utf16(u"[s]\r\nk=1\r\n"), "", "top", kEAcute,
       Utf16(u"top=\u00E9\r\n[s]\r\nk=1\r\n")},
      {"UTF-16LE, the Western euro sign",
       Utf16(u"[s]\r\n"),
       "s",
       "k",
       {"\xE2\x82\xAC", "\x80"},
       Utf16(u"[s]\r\nk=\u20AC\r\n")},
      {"UTF-16BE, add an entry", Utf16(u"[s]\r\n", true), "s", "k", kEAcute, Utf16(u"[s]\r\nk=\u00E9\r\n", true)},
      {"UTF-8 with its mark, add an entry", kUtf8Mark + "[s]\r\n; \xE2\x98\xBA\r\n", "s", "k", kEAcute,
       kUtf8Mark + "[s]\r\nk=\xC3\xA9\r\n; \xE2\x98\xBA\r\n"},
  };
  FileTestDir dir;
  int n = 0;
  for (const EncodedWrite& c : writes) {
    const std::string path = dir.Path("write" + std::to_string(n++) + ".ini");
    FileTestDir::Write(path, c.before);
    EXPECT_TRUE(rt::PutIni(c.section, c.entry, c.value.Here(), path)) << c.label;
    EXPECT_EQ(FileTestDir::Read(path), c.after) << c.label;
    EXPECT_EQ(rt::GetIni(c.section, c.entry, "d", path), c.value.Here()) << c.label << " (read back)";
  }
}

// Where the program's texts are UTF-8, a name or value that is no UTF-8 (the
// Western code page's bytes, say) is written to a UTF-16 file as the Western
// characters those bytes stand for, and the same bytes find it again.
TEST(IniEncoding, BytesThatAreNoUtf8GoIntoAUtf16FileAsWesternCharacters) {
  if (!os::TextIsUtf8()) GTEST_SKIP() << "the program's texts are a code page: every byte is a character";
  FileTestDir dir;
  const std::string path = dir.Path("western.ini");
  FileTestDir::Write(path, Utf16(u"[s]\r\n"));
  ASSERT_TRUE(rt::PutIni("caf\xE9", "k", "\xE9t\xE9", path));
  EXPECT_EQ(FileTestDir::Read(path), Utf16(u"[s]\r\n\r\n[caf\u00E9]\r\nk=\u00E9t\u00E9\r\n"));
  EXPECT_EQ(rt::GetIni("caf\xE9", "k", "d", path), "\xC3\xA9t\xC3\xA9") << "found by the bytes it was written with";
  EXPECT_EQ(rt::GetIni("caf\xC3\xA9", "k", "d", path), "\xC3\xA9t\xC3\xA9") << "and by its UTF-8";
}

TEST(IniEncoding, ABatchWritesAUtf16FileOnceInUtf16) {
  FileTestDir dir;
  const std::string path = dir.Path("batch.ini");
  FileTestDir::Write(path, Utf16(u"[List]\r\nItems=0\r\n"));
  {
    rt::IniBatch batch(path);
    ASSERT_TRUE(rt::PutIni("List", "Items", "2", path));
    ASSERT_TRUE(rt::PutIni("List", "Items_1", "a", path));
    ASSERT_TRUE(rt::PutIni("List", "Items_2", "b", path));
    EXPECT_TRUE(batch.Commit());
  }
  EXPECT_EQ(FileTestDir::Read(path), Utf16(u"[List]\r\nItems=2\r\nItems_1=a\r\nItems_2=b\r\n"));
  EXPECT_EQ(rt::GetIni("List", "Items_2", "d", path), "b");
}

TEST(IniEncoding, AnUnchangedValueLeavesAUtf16FileUntouched) {
  FileTestDir dir;
  const std::string path = dir.Path("same.ini");
  const std::string bytes = Utf16(u"[s]\r\nk = v \r\n\r\n");
  FileTestDir::Write(path, bytes);
  EXPECT_TRUE(rt::PutIni("s", "k", "v", path));
  EXPECT_EQ(FileTestDir::Read(path), bytes);
}

}  // namespace
