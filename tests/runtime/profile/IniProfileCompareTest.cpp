// The runtime's INI functions beside the system's own profile functions,
// case by case, on the same files: a row whose answers differ fails, unless
// it is marked as a difference we keep on purpose, with the reason. A marked
// row checks our own answer, and fails when the system comes to agree, so
// that no mark outlives its difference.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/ErrorState.h"
#include "runtime/FileTestDir.h"
#include "runtime/Ini.h"

namespace {

using quibra_test::FileTestDir;
using quibra_test::kUtf8Mark;
using quibra_test::Utf16;

std::string SystemGet(const std::string& section, const std::string& entry, const std::string& fallback,
                      const std::string& path) {
  std::string value(65536, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), entry.c_str(), fallback.c_str(), value.data(),
                                           static_cast<DWORD>(value.size()), path.c_str());
  value.resize(n);
  return value;
}

// A list of zero-terminated texts, as the system's section calls give them.
std::vector<std::string> Strings(const std::string& block) {
  std::vector<std::string> strings;
  for (std::size_t at = 0; at < block.size() && block[at] != '\0';) {
    const std::size_t end = block.find('\0', at);
    strings.push_back(block.substr(at, end - at));
    at = end + 1;
  }
  return strings;
}

std::vector<std::string> SystemSectionNames(const std::string& path) {
  std::string block(65536, '\0');
  block.resize(GetPrivateProfileSectionNamesA(block.data(), static_cast<DWORD>(block.size()), path.c_str()));
  return Strings(block + '\0');
}

// The section's lines as the system lists them: "name=value", comments left out.
std::vector<std::string> SystemSection(const std::string& section, const std::string& path) {
  std::string block(65536, '\0');
  block.resize(
      GetPrivateProfileSectionA(section.c_str(), block.data(), static_cast<DWORD>(block.size()), path.c_str()));
  return Strings(block + '\0');
}

struct ReadRow {
  const char* label;
  std::string file;
  std::string section, entry, fallback;
  const char* differs = nullptr;  // why we answer otherwise, on purpose
  std::string ours = {};          // our answer where we do
};

const ReadRow kReads[] = {
    {"plain value", "[s]\r\nk=v\r\n", "s", "k", "d"},
    {"section and entry without case", "[Sec]\r\nKey=v\r\n", "sEC", "kEY", "d"},
    {"blanks around names, = and value", "  [ s ]  \r\n  k  =  v w  \r\n", "s", "k", "d"},
    {"blanks around the names asked for", "[s]\r\nk=v\r\n", " s ", " k ", "d"},
    {"tabs are blanks", "[s]\r\n\tk\t=\tv\t\r\n", "s", "k", "d"},
    {"double quotes removed", "[s]\r\nk=\" v \"\r\n", "s", "k", "d"},
    {"single quotes removed", "[s]\r\nk='v'\r\n", "s", "k", "d"},
    {"mismatched quotes kept", "[s]\r\nk=\"v'\r\n", "s", "k", "d"},
    {"a lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "d"},
    {"letters outside ASCII keep their case", "[S\xC9]\r\nK\xC9=v\r\n", "s\xE9", "k\xE9", "d"},
    {"a comment line is no entry of the name after ;", "[s]\r\n;k=v\r\n", "s", "k", "d"},
    {"a ; line with = is an entry of that name", "[s]\r\n;k=v\r\n", "s", ";k", "d"},
    {"an indented ; entry", "[s]\r\n  ; k = v\r\n", "s", "; k", "d"},
    {"a ; line without = is no entry", "[s]\r\n;k\r\n", "s", ";k", "d"},
    {"; inside a value is text", "[s]\r\nk=v ; not a comment\r\n", "s", "k", "d"},
    {"= inside a value is text", "[s]\r\nk=a=b\r\n", "s", "k", "d"},
    {"a blank inside an entry name", "[s]\r\nmy key=v\r\n", "s", "my key", "d"},
    {"a line without = is no entry", "[s]\r\nk\r\n", "s", "k", "d"},
    {"first entry of a name wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "d"},
    {"first section of a name wins", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "d"},
    {"only the first section of a name is read", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "s", "k", "d"},
    {"an empty value is not missing", "[s]\r\nk=\r\n", "s", "k", "d"},
    {"missing entry gives the default", "[s]\r\nk=v\r\n", "s", "x", "d"},
    {"missing section gives the default", "[s]\r\nk=v\r\n", "t", "k", "d"},
    {"the default loses its trailing blanks", "", "s", "k", "  d  "},
    {"a default in double quotes", "", "s", "k", "\"d\""},
    {"a default in single quotes", "", "s", "k", "'d'"},
    {"a quoted default with blanks after it", "", "s", "k", "\" d \"  "},
    {"a default of two quotes", "", "s", "k", "\"\""},
    {"a default in mismatched quotes", "", "s", "k", "\"d'"},
    {"a default of one quote", "", "s", "k", "\""},
    {"a default with text after its quotes", "", "s", "k", "\"d\"x"},
    {"lines before the first section, asked in a section", "k=v\r\n[s]\r\nj=w\r\n", "s", "k", "d"},
    {"lines before the first section, asked without one", "k=v\r\n[s]\r\nj=w\r\n", "", "k", "d"},
    {"[] after lines before the first section", "[]\r\nk=v\r\n", "", "k", "d"},
    {"a [ without ] starts no section", "[s]\r\n[t\r\nk=v\r\n", "s", "k", "d"},
    {"a [ without ] above the sections", "[t\r\nk=v\r\n", "", "k", "d"},
    {"the last ] ends a section name", "[a]b]\r\nk=v\r\n", "a]b", "k", "d"},
    {"a section name is not cut at its first ]", "[a]b]\r\nk=v\r\n", "a", "k", "d"},
    {"a ] after the name", "[s] ; about [x]\r\nk=v\r\n", "s] ; about [x", "k", "d"},
    {"text after ] is no part of the name", "[s] ; about s\r\nk=v\r\n", "s", "k", "d"},
    {"LF lines", "[s]\nk=v\nj=w\n", "s", "j", "d"},
    {"no final line end", "[s]\r\nk=v", "s", "k", "d"},
    {"an empty file", "", "s", "k", "d"},
    {"an entry without a name", "[s]\r\n=v\r\n", "s", "", "d",
     "an entry needs a name: the system pairs an empty name with a line \"=v\", which we never write", "d"},
    {"UTF-8 with its mark", kUtf8Mark + "[s]\r\nk=v\r\n", "s", "k", "d"},
    {"UTF-8 with its mark, a value outside ASCII", kUtf8Mark + "[s]\r\nk=caf\xC3\xA9\r\n", "s", "k", "d"},
    {"UTF-8 with its mark, a name outside ASCII", kUtf8Mark + "[s]\r\n\xC3\xA9=1\r\n", "s", "\xE9", "d"},
    {"UTF-8 with its mark, lines before the first section", kUtf8Mark + "k=v\r\n[s]\r\n", "", "k", "d"},
    {"UTF-16LE", Utf16(u"[s]\r\nk=v\r\n"), "s", "k", "d"},
    {"UTF-16LE, a value outside ASCII", Utf16(u"[s]\r\nk=caf\u00E9\r\n"), "s", "k", "d"},
    {"UTF-16LE, names outside ASCII", Utf16(u"[Caf\u00E9]\r\nNa\u00EFve=1\r\n"), "caf\xE9", "na\xEFve", "d"},
    {"UTF-16LE, blanks and quotes", Utf16(u"  [ s ]\r\n\tk = \" v \" \r\n"), "s", "k", "d"},
    {"UTF-16LE, a character the code page lacks", Utf16(u"[s]\r\nk=\u263A\r\n"), "s", "k", "d"},
    {"UTF-16LE, no final line end", Utf16(u"[s]\r\nk=v"), "s", "k", "d"},
    {"UTF-16LE, lines before the first section", Utf16(u"k=v\r\n[s]\r\n"), "", "k", "d"},
    {"UTF-16LE, a ; entry", Utf16(u"[s]\r\n;k=v\r\n"), "s", ";k", "d"},
    {"UTF-16LE, only the mark", Utf16(u""), "s", "k", "d"},
    {"UTF-16BE", Utf16(u"[s]\r\nk=\u00E9\r\n", true), "s", "k", "d"},
};

TEST(IniBesideTheSystem, ReadsAsTheSystemReads) {
  FileTestDir dir;
  int n = 0;
  for (const ReadRow& row : kReads) {
    SCOPED_TRACE(row.label);
    const std::string path = dir.Path("read" + std::to_string(n++) + ".ini");
    FileTestDir::Write(path, row.file);
    const std::string theirs = SystemGet(row.section, row.entry, row.fallback, path);
    const std::string ours = rt::GetIni(row.section, row.entry, row.fallback, path);
    EXPECT_EQ(rt::ErrorCode(), rt::ErrNone);
    if (!row.differs) {
      EXPECT_EQ(ours, theirs);
    } else {
      EXPECT_EQ(ours, row.ours) << "differs on purpose: " << row.differs;
      EXPECT_NE(ours, theirs) << "marked as a difference, but the system now agrees: " << row.differs;
    }
  }
}

struct WriteRow {
  const char* label;
  std::optional<std::string> before;  // none: no file yet
  std::string section, entry, value;
  const char* layout = nullptr;   // why the file's bytes differ, on purpose; what it holds must not
  const char* content = nullptr;  // why what the file holds differs, on purpose
  const char* refused = nullptr;  // why we refuse a write the system makes
};

const WriteRow kWrites[] = {
    {"change a value", "[s]\r\na=1\r\nb=2\r\n", "s", "a", "9"},
    {"change a value, names without case", "[Sec]\r\nKEY=1\r\n", "sec", "key", "2"},
    {"the same value again", "[s]\r\nk=v\r\n", "s", "k", "v"},
    {"add an entry at the end of the file", "[s]\r\nk=1\r\n", "s", "j", "2"},
    {"add an entry before the next section", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "z", "3"},
    {"add an entry to an empty section", "[a]\r\n[b]\r\n", "a", "k", "v"},
    {"add an entry above a comment about the next section", "[a]\r\nx=1\r\n; about b\r\n\r\n[b]\r\ny=2\r\n", "a", "z",
     "3",
     "every line stays as it was: the blank line is kept, and a comment above a section stays with that section "
     "(the system rewrites the file from what it parsed)"},
    {"add a section", "[a]\r\nx=1\r\n", "b", "k", "v", "a blank line between sections, as our files always had"},
    {"a new file", std::nullopt, "s", "k", "v"},
    {"a file with lines before the first section", "k=v\r\n[s]\r\nj=w\r\n", "s", "n", "1"},
    {"an entry above the first section", "[s]\r\nk=1\r\n", "", "top", "v"},
    {"change an entry above the first section", "top=1\r\n[s]\r\nk=1\r\n", "", "top", "2"},
    {"add an entry after those above the first section", "a=1\r\n[s]\r\nk=1\r\n", "", "b", "2"},
    {"the first of two sections is written", "[s]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "s", "j", "9"},
    {"the first of two entries is written", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "3"},
    {"an LF file", "[s]\nk=1\nj=2\n", "s", "k", "3",
     "only the changed line is written anew (with CRLF); the others keep their line ends"},
    {"blanks at a value's ends", "[s]\r\n", "s", "k", " v ", nullptr,
     "the value is written in quotes, so that it reads back with its blanks"},
    {"a value in quotes", "[s]\r\n", "s", "k", "\"q\"", nullptr,
     "the value is written in another pair of quotes, so that it reads back with its own"},
    {"an entry name starting with ;", "[s]\r\n", "s", ";k", "v", nullptr, nullptr,
     "a name starting with \";\" reads as a comment to most other readers of INI files"},
    {"a section name holding ]", "[s]\r\n", "a]b", "k", "v", nullptr, nullptr,
     "a section name with \"]\" reads back cut at it in many other readers"},
    {"UTF-8 with its mark, add an entry", kUtf8Mark + "[s]\r\nk=1\r\n", "s", "j", "caf\xE9"},
    {"UTF-8 with its mark, the Western euro sign", kUtf8Mark + "[s]\r\nk=1\r\n", "s", "k", "\x80"},
    {"UTF-16LE, change a value", Utf16(u"[s]\r\nk=old\r\nj=\u263A\r\n"), "s", "k", "new"},
    {"UTF-16LE, add an entry", Utf16(u"[s]\r\nk=1\r\n"), "s", "j", "caf\xE9"},
    {"UTF-16LE, add a section", Utf16(u"[s]\r\nk=1\r\n"), "t", "j", "v",
     "a blank line between sections, as our files always had"},
    {"UTF-16LE, a file of only the mark", Utf16(u""), "s", "k", "v"},
    {"UTF-16BE, add an entry", Utf16(u"[s]\r\nk=1\r\n", true), "s", "j", "caf\xE9"},
};

// Escapes the bytes so that a difference shows in the test's output.
std::string Shown(const std::string& bytes) {
  static const char hex[] = "0123456789ABCDEF";
  std::string shown;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += hex[c >> 4];
      shown += hex[c & 15];
    }
  }
  return shown;
}

TEST(IniBesideTheSystem, WritesAsTheSystemWrites) {
  FileTestDir dir;
  int n = 0;
  for (const WriteRow& row : kWrites) {
    SCOPED_TRACE(row.label);
    const std::string theirs = dir.Path("system" + std::to_string(n) + ".ini");
    const std::string ours = dir.Path("ours" + std::to_string(n++) + ".ini");
    if (row.before) {
      FileTestDir::Write(theirs, *row.before);
      FileTestDir::Write(ours, *row.before);
    }
    ASSERT_TRUE(WritePrivateProfileStringA(row.section.c_str(), row.entry.c_str(), row.value.c_str(), theirs.c_str()));
    const bool written = rt::PutIni(row.section, row.entry, row.value, ours);
    if (row.refused) {
      EXPECT_FALSE(written) << "refused on purpose: " << row.refused;
      EXPECT_EQ(rt::ErrorCode(), rt::ErrInvalidArgument);
      EXPECT_EQ(FileTestDir::Read(ours), *row.before) << "a refused write leaves the file alone";
      EXPECT_EQ(SystemGet(row.section, row.entry, "d", theirs), row.value) << "the system wrote it";
      continue;
    }
    ASSERT_TRUE(written) << rt::FileErrorText();
    const std::string systemBytes = FileTestDir::Read(theirs), ourBytes = FileTestDir::Read(ours);
    EXPECT_EQ(ourBytes.substr(0, 2), systemBytes.substr(0, 2)) << "the same encoding";
    if (!row.layout && !row.content) {
      EXPECT_EQ(Shown(ourBytes), Shown(systemBytes)) << "the same bytes";
    } else {
      EXPECT_NE(ourBytes, systemBytes) << "marked as a difference, but the files are now alike";
    }

    // What each file holds, as the system reads it and as we read it.
    const std::string ourValue = rt::GetIni(row.section, row.entry, "d", ours);
    EXPECT_EQ(ourValue, row.value) << "our write reads back as written";
    EXPECT_EQ(rt::GetIni(row.section, row.entry, "d", theirs), SystemGet(row.section, row.entry, "d", theirs))
        << "we read the system's file as it does";
    EXPECT_EQ(SystemGet(row.section, row.entry, "d", ours), ourValue) << "the system reads our file as we do";
    if (row.content) {
      EXPECT_NE(SystemGet(row.section, row.entry, "d", theirs), row.value) << "differs on purpose: " << row.content;
      continue;
    }
    std::set<std::string> sections;
    for (const std::string& name : SystemSectionNames(theirs)) sections.insert(name);
    for (const std::string& name : SystemSectionNames(ours)) sections.insert(name);
    for (const std::string& name : sections)
      EXPECT_EQ(SystemSection(name, ours), SystemSection(name, theirs)) << "section [" << name << "] holds the same";
  }
}

}  // namespace
