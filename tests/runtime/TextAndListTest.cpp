#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/ThisOs.h"
#include "runtime/BoxRules.h"
#include "runtime/ErrorState.h"
#include "runtime/Queue.h"
#include "runtime/Text.h"

namespace {

TEST(Texts, FixedFieldsPadCutAndClip) {
  rt::FixedString<6> f("abc");
  EXPECT_EQ(f.raw(), "abc   ");
  EXPECT_EQ(f.clipped(), "abc");
  f = "abcdefgh";  // cut without notice
  EXPECT_EQ(f.raw(), "abcdef");
  f = "";
  EXPECT_TRUE(f.blank());
  f = "a  b  ";
  EXPECT_EQ(f.clipped(), "a  b") << "only trailing blanks go";
}

TEST(Texts, ZeroTerminatedFieldsKeepOneLessThanTheirCapacity) {
  rt::CString<255> c(std::string(300, 'x'));
  EXPECT_EQ(c.view().size(), 254u);
  rt::CString<4> small("abcd");
  EXPECT_EQ(small.str(), "abc");
  small = "";
  EXPECT_TRUE(small.empty());
}

TEST(Texts, BinaryBytesSurviveFixedFields) {
  // A 4-byte icon field holding the 2-byte code FF 01 is padded with spaces.
  rt::FixedString<4> icon(std::string("\xFF\x01", 2));
  EXPECT_EQ(icon.raw(), std::string("\xFF\x01  ", 4));
}

// Linux texts are UTF-8: a cut or a count never splits a character there. The
// Windows program's code page has one byte a character.
TEST(Texts, CutsAndCountsKeepCharactersWhole) {
  const std::string greek = "\xCE\xB1\xCE\xB2";  // two Greek letters, two bytes each
  const std::string chinese = "a\xE4\xB8\xAD";   // 'a' and a character of three bytes
  const std::string western = "caf\xE9 x";       // Western code-page bytes: no UTF-8
  const std::string emoji = "\xF0\x9F\x98\x80";  // four bytes
  const struct {
    const char* label;
    std::string text;
    std::size_t room;
    std::size_t fitsOnLinux;
    std::size_t columnsOnLinux;
  } cases[] = {
      {"a cut inside the second letter", greek, 3, 2, 2},        {"room for both", greek, 4, 4, 2},
      {"a cut inside a three-byte character", chinese, 3, 1, 2}, {"a cut inside a four-byte character", emoji, 3, 0, 1},
      {"Western bytes are cut where asked", western, 4, 4, 6},   {"ASCII", "abcdef", 4, 4, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(rt::FitBytes(c.text, c.room), !os::TextIsUtf8() ? std::min(c.room, c.text.size()) : c.fitsOnLinux);
    EXPECT_EQ(rt::TextColumns(c.text), !os::TextIsUtf8() ? c.text.size() : c.columnsOnLinux);
    rt::FixedString<3> fixed(c.text);
    EXPECT_EQ(fixed.raw().substr(0, rt::FitBytes(c.text, 3)), c.text.substr(0, rt::FitBytes(c.text, 3)));
  }
  rt::FixedString<3> field(greek);
  EXPECT_EQ(field.raw(), !os::TextIsUtf8() ? greek.substr(0, 3) : greek.substr(0, 2) + " ") << "padded, not split";
  rt::CString<4> c(greek);
  EXPECT_EQ(c.str(), !os::TextIsUtf8() ? greek.substr(0, 3) : greek.substr(0, 2));
  EXPECT_EQ(rt::ColumnBytes(chinese + "b", 2), !os::TextIsUtf8() ? 2u : 4u);
}

// A lead byte whose continuation bytes are too few for a whole character
// starts none: such bytes are Western text, one character each, which may be
// cut anywhere and count one column each.
TEST(Texts, ALeadByteWithoutItsWholeCharacterIsCutLikeWesternText) {
  const struct {
    const char* label;
    std::string text;
    std::size_t room;
    std::size_t fitsOnLinux;
    std::size_t columnsOnLinux;
    std::size_t threeColumnsOnLinux;  // the bytes of its first three characters
  } cases[] = {
      {"F0 A3 A3 at the end lacks a fourth byte", "ab\xF0\xA3\xA3", 4, 4, 5, 3},
      {"the same, cut after its lead", "ab\xF0\xA3\xA3", 3, 3, 5, 3},
      {"E4 B8 before ASCII lacks a third byte", "a\xE4\xB8x", 2, 2, 4, 3},
      {"Western e acute and copyright sign", "caf\xE9\xA9", 4, 4, 5, 3},
      {"a whole four-byte character is not split", "ab\xF0\xA3\xA3\xA3", 4, 2, 3, 6},
      {"a whole three-byte character is not split", "a\xE4\xB8\xADx", 3, 1, 3, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const bool utf8 = os::TextIsUtf8();
    EXPECT_EQ(rt::FitBytes(c.text, c.room), !utf8 ? std::min(c.room, c.text.size()) : c.fitsOnLinux);
    EXPECT_EQ(rt::TextColumns(c.text), !utf8 ? c.text.size() : c.columnsOnLinux);
    EXPECT_EQ(rt::ColumnBytes(c.text, 3), !utf8 ? 3u : c.threeColumnsOnLinux);
  }
}

// A box wraps its lines at a number of characters, not of bytes.
TEST(Texts, BoxLinesWrapAtCharacters) {
  std::string word, other;
  for (int i = 0; i < 6; ++i) word += "\xCE\xB1";  // six Greek letters, twelve bytes
  for (int i = 0; i < 3; ++i) other += "\xCE\xB2";
  const std::vector<std::string> wrapped = rt::WrapLines({word + " " + other}, 7);
  if (!os::TextIsUtf8()) {
    EXPECT_EQ(wrapped.size(), 3u) << "one byte a character";
  } else {
    EXPECT_EQ(wrapped, (std::vector<std::string>{word, other}));
  }
  const std::vector<std::string> cut = rt::WrapLines({word}, 4);
  for (const std::string& line : cut)
    if (os::TextIsUtf8()) {
      EXPECT_EQ(line.size() % 2, 0u) << "a letter split in two";
    }
}

struct NumberCase {
  const char* label;
  const char* text;
  int64_t value;
};

TEST(Texts, TextToNumber) {
  const NumberCase cases[] = {
      {"plain", "70", 70},
      {"blanks first", "  65", 65},
      {"sign", "-12", -12},
      {"trailing junk", "12ab", 12},
      {"empty", "", 0},
      {"no digits", "abc", 0},
      {"icon bytes", "\xFF\x01\x04\x7F", 0},
      {"huge saturates", "99999999999999999999999", 999999999999999999},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(rt::ToNumber(c.text), c.value) << c.label;
}

TEST(Texts, UpperCasesAsciiOnly) { EXPECT_EQ(rt::Upper("%File \xE9x"), "%FILE \xE9X"); }

struct Item {
  int32_t key = 0;
  std::string name;
};
int ByKey(const Item& a, const Item& b) { return a.key < b.key ? -1 : a.key > b.key ? 1 : 0; }

TEST(Lists, GetByPositionFillsTheBufferAndAFailedGetSetsTheError) {
  rt::Queue<Item> q;
  for (int i = 1; i <= 3; ++i) {
    q.buffer = {i * 10, "n" + std::to_string(i)};
    q.Add();
  }
  ASSERT_TRUE(q.Get(2));
  EXPECT_EQ(q.buffer.name, "n2");
  EXPECT_EQ(q.Pointer(), 2);
  EXPECT_EQ(rt::ErrorCode(), 0);
  EXPECT_FALSE(q.Get(4));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrEntryNotFound);
  EXPECT_EQ(q.buffer.name, "n2") << "a failed get leaves the buffer alone";
  EXPECT_EQ(q.Pointer(), 2);
  EXPECT_FALSE(q.Get(0));
}

TEST(Lists, KeyOrderAddGetPutDeleteAndSort) {
  rt::Queue<Item> q;
  for (int key : {30, 10, 20, 10}) {
    q.buffer = {key, "k" + std::to_string(key) + "_" + std::to_string(q.Records())};
    q.Add(&ByKey);
  }
  ASSERT_EQ(q.Records(), 4);
  EXPECT_EQ(q.At(1).name, "k10_1");
  EXPECT_EQ(q.At(2).name, "k10_3") << "equal keys go after the ones already there";
  EXPECT_EQ(q.At(4).key, 30);

  q.buffer.key = 20;
  ASSERT_TRUE(q.GetSorted(&ByKey));
  EXPECT_EQ(q.Pointer(), 3);
  q.buffer.name = "changed";
  ASSERT_TRUE(q.Put());
  EXPECT_EQ(q.At(3).name, "changed");
  ASSERT_TRUE(q.Delete());
  EXPECT_EQ(q.Records(), 3);

  q.buffer.key = 99;
  EXPECT_FALSE(q.Get(&ByKey));
  EXPECT_EQ(rt::ErrorCode(), rt::ErrEntryNotFound);
  q.buffer.key = 10;
  ASSERT_TRUE(q.Get(&ByKey));
  EXPECT_EQ(q.buffer.name, "k10_1") << "the first match in list order";

  q.Free();
  EXPECT_EQ(q.Records(), 0);
  EXPECT_FALSE(q.Put());
  EXPECT_FALSE(q.Delete());
}

TEST(ErrorState, IsPerThreadAndCarriesFileErrors) {
  rt::SetError(rt::ErrAccessDenied);
  EXPECT_EQ(rt::ErrorText(), "Access Denied");
  int32_t otherCode = -1;
  int32_t otherThread = 0;
  std::thread([&] {
    otherCode = rt::ErrorCode();
    otherThread = rt::Thread();
  }).join();
  EXPECT_EQ(otherCode, 0) << "another thread sees its own state";
  EXPECT_EQ(rt::ErrorCode(), rt::ErrAccessDenied);
  EXPECT_EQ(rt::Thread(), 1) << "the program's first thread is 1";
  EXPECT_GT(otherThread, 1);

  rt::SetFileError("112", "Media fault");
  EXPECT_EQ(rt::ErrorCode(), rt::ErrFileSystem);
  EXPECT_EQ(rt::FileErrorCode(), "112");
  EXPECT_EQ(rt::FileErrorText(), "Media fault");
  rt::ClearError();
  EXPECT_EQ(rt::ErrorCode(), 0);
  EXPECT_EQ(rt::FileErrorText(), "");
}

}  // namespace
