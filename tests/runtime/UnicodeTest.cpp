// UTF-8 and UTF-16, as settings files in either are read and written: any
// UTF-16 survives a trip through UTF-8, and bytes that are no UTF-8 (an older
// file's Western text) keep their characters.
#include <gtest/gtest.h>

#include <string>

#include "platform/Unicode.h"

namespace {

struct Utf8Case {
  const char* label;
  std::string utf8;
  std::u16string utf16;
};

TEST(Unicode, Utf8ReadsAsUtf16) {
  const Utf8Case cases[] = {
      {"ASCII", "k=v", u"k=v"},
      {"two bytes", "caf\xC3\xA9", u"caf\u00E9"},
      {"three bytes", "\xE2\x98\xBA", u"\u263A"},
      {"four bytes, a pair of units", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"a Western byte", "caf\xE9", u"caf\u00E9"},
      {"the Western euro sign", "\x80", u"\u20AC"},
      {"a byte the Western page leaves unused", "\x81", u"\u0081"},
      {"a sequence cut short at the end", "a\xC3", u"a\u00C3"},
      {"a sequence cut short by ASCII", "\xE2\x98x", u"\u00E2\u02DCx"},
      {"an overlong form", "\xC0\xAF", u"\u00C0\u00AF"},
      {"beyond the last character", "\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},
      {"a NUL", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(os::Utf8ToUtf16(c.utf8), c.utf16) << c.label;
}

TEST(Unicode, AnyUtf16SurvivesATripThroughUtf8) {
  const std::u16string texts[] = {
      u"",
      u"plain",
      u"caf\u00E9 \u263A \U0001F600",
      std::u16string(1, u'\xD800'),               // a high surrogate alone
      std::u16string(1, u'\xDC00'),               // a low surrogate alone
      std::u16string(u"\xDC00\xD800", 2),         // the pair in the wrong order
      std::u16string(u"a\xD83D", 2) + u"\u00E9",  // a high surrogate before no low one
  };
  for (const std::u16string& text : texts) {
    const std::string utf8 = os::Utf16ToUtf8(text);
    EXPECT_EQ(os::Utf8ToUtf16(utf8), text) << testing::PrintToString(utf8);
  }
  EXPECT_EQ(os::Utf16ToUtf8(u"caf\u00E9 \U0001F600"), "caf\xC3\xA9 \xF0\x9F\x98\x80");
}

}  // namespace
