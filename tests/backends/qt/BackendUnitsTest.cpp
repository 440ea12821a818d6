// The Qt backend's translations that need no window: dialog units, list
// formats, code page texts, the clipboard layout of a box and the message
// given when there is no display.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QString>
#include <string>
#include <vector>

#include "backends/qt/AnsiText.h"
#include "backends/qt/BoxClipboard.h"
#include "backends/qt/DialogUnits.h"
#include "backends/qt/QtApplication.h"
#include "runtime/Property.h"
#include "runtime/Window.h"

namespace {

using qtbackend::DialogUnits;

TEST(DialogUnitsTest, BaseUnitsNeverZero) {
  DialogUnits broken(0, -3);
  EXPECT_EQ(broken.BaseX(), 1);
  EXPECT_EQ(broken.BaseY(), 1);
  EXPECT_EQ(broken.X(8), 2);
}

TEST(DialogUnitsTest, FontBaseUnitsFollowTheFontSize) {
  const DialogUnits small = DialogUnits::OfFont(qtbackend::WindowFont("MS Sans Serif", 8));
  const DialogUnits large = DialogUnits::OfFont(qtbackend::WindowFont("MS Sans Serif", 16));
  EXPECT_GE(small.BaseX(), 4) << "an 8-point font is about six pixels a character";
  EXPECT_LE(small.BaseX(), 9);
  EXPECT_GE(small.BaseY(), 10);
  EXPECT_LE(small.BaseY(), 18);
  EXPECT_GT(large.BaseX(), small.BaseX());
  EXPECT_GT(large.BaseY(), small.BaseY());
}

struct FontCase {
  const char* label;
  std::string family;
  int32_t points;
  int expectedPoints;
};

TEST(DialogUnitsTest, AMissingFontBecomesASansFontOfTheSameSize) {
  const FontCase cases[] = {
      {"MS Sans Serif 8", "MS Sans Serif", 8, 8},
      {"no family named", "", 10, 10},
      {"a size of 0 means 8 points", "MS Sans Serif", 0, 8},
      {"an unknown family", "No Such Family 1234", 9, 9},
  };
  for (const FontCase& c : cases) {
    SCOPED_TRACE(c.label);
    QFont font = qtbackend::WindowFont(c.family, c.points);
    EXPECT_EQ(font.pointSize(), c.expectedPoints);
    QFontInfo info(font);
    if (!info.exactMatch()) {
      EXPECT_EQ(font.styleHint(), QFont::SansSerif);
    }
  }
  const QString installed = QFontInfo(QFont(QStringLiteral("Sans Serif"))).family();
  EXPECT_EQ(QFontInfo(qtbackend::WindowFont(installed.toStdString(), 11)).family(), installed)
      << "an installed family is kept";
}

struct AnsiCase {
  const char* label;
  std::string bytes;
  QString text;
};

// Texts are UTF-8 both ways, in every script and outside the basic plane.
TEST(AnsiTextTest, TextsAreUtf8BothWays) {
  const AnsiCase cases[] = {
      {"ASCII", "Quibra Demo", QStringLiteral("Quibra Demo")},
      {"Latin letters", "caf\xC3\xA9 \xC3\x9C", QString::fromUtf8("café Ü")},
      {"the euro sign", "\xE2\x82\xAC", QString(QChar(0x20AC))},
      {"Greek", "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1", QString::fromUtf8("Καλημέρα")},
      {"Cyrillic", "\xD0\x96x", QString::fromUtf8("Жx")},
      {"Chinese", "\xE4\xB8\xAD\xE6\x96\x87", QString::fromUtf8("中文")},
      {"outside the basic plane",
       "a\xF0\x9F\x98\x80"
       "b",
       QString::fromUtf8("a😀b")},
      {"control characters", std::string("a\tb\r\nc\0d", 8), QString::fromLatin1("a\tb\r\nc\0d", 8)},
      {"empty", "", QString()},
  };
  for (const AnsiCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(qtbackend::FromAnsi(c.bytes), c.text);
    EXPECT_EQ(qtbackend::ToAnsi(c.text), c.bytes);
  }
}

// A settings file an older build wrote holds Western code-page bytes, which
// are no UTF-8: they read as that code page, so nothing turns into '?'.
TEST(AnsiTextTest, BytesThatAreNoUtf8ReadInTheWesternCodePage) {
  const AnsiCase cases[] = {
      {"Latin-1 letters", "caf\xE9 \xDC", QString::fromUtf8("café Ü")},
      {"the euro sign", "\x80", QString(QChar(0x20AC))},
      {"quotes and dashes", "\x93x\x94 \x96 \x97", QString::fromUtf8("“x” – —")},
      {"the last of the high range", "\x9F", QString(QChar(0x0178))},
      {"an unused byte stands for itself", "\x81\x8D", QString(QChar(0x81)) + QChar(0x8D)},
      {"a cut UTF-8 character", "ab\xCE", QString::fromLatin1("ab\xCE")},
  };
  for (const AnsiCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(qtbackend::FromAnsi(c.bytes), c.text);
  }
  EXPECT_EQ(qtbackend::ToAnsi(qtbackend::FromAnsi("caf\xE9")), "caf\xC3\xA9") << "written back as UTF-8";
}

struct ClipCase {
  const char* label;
  std::string title;
  std::string text;
  std::vector<std::string> buttons;
  std::string expected;
};

TEST(BoxClipboardTest, TheWholeBoxInTheWindowsLayout) {
  const std::string rule = "---------------------------\n";
  const ClipCase cases[] = {
      {"one OK button",
       "Quibra Demo",
       "Hello",
       {"OK"},
       rule + "Quibra Demo\n" + rule + "Hello\n" + rule + "OK   \n" + rule},
      {"access keys go",
       "Q",
       "Sure?",
       {"&Yes", "&No", "Cancel"},
       rule + "Q\n" + rule + "Sure?\n" + rule + "Yes   No   Cancel   \n" + rule},
      {"CR LF lines become lines",
       "T",
       "Test Message \r\n Second Line",
       {"OK"},
       rule + "T\n" + rule + "Test Message \n Second Line\n" + rule + "OK   \n" + rule},
      {"an empty title", "", "x", {"OK"}, rule + "\n" + rule + "x\n" + rule + "OK   \n" + rule},
      {"a doubled mark is one '&'",
       "A&&B",
       "x",
       {"Save && &Quit"},
       rule + "A&&B\n" + rule + "x\n" + rule + "Save & Quit   \n" + rule},
  };
  for (const ClipCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(qtbackend::BoxClipboardText(c.title, c.text, c.buttons), c.expected);
  }
}

TEST(BoxClipboardTest, AccessMarks) {
  const std::pair<std::string, std::string> cases[] = {
      {"&Yes", "Yes"}, {"O&k", "Ok"}, {"&&", "&"}, {"a&", "a"}, {"&&&x", "&x"}, {"", ""}, {"none", "none"},
  };
  for (const auto& [caption, shown] : cases) EXPECT_EQ(qtbackend::WithoutAccessKeys(caption), shown) << caption;
}

TEST(DisplayTest, TheDisplayIsChosenOrWhatIsMissingSaidInOneSentence) {
  const struct {
    const char* label;
    const char* platform;
    const char* display;
    const char* wayland;
    bool plugin;
    const char* chosen;   // the platform started; "" as the environment says
    const char* missing;  // a word the sentence must hold; null: nothing is missing
  } cases[] = {
      {"nothing set", nullptr, nullptr, nullptr, true, "", "no display"},
      {"all empty", "", "", "", true, "", "no display"},
      {"an X display", nullptr, ":0", nullptr, false, "xcb", nullptr},
      {"a Wayland display with the plugin", nullptr, "", "wayland-0", true, "wayland", nullptr},
      {"Wayland and X, no plugin: X11 without a word", nullptr, ":0", "wayland-0", false, "xcb", nullptr},
      {"Wayland alone, no plugin", nullptr, nullptr, "wayland-0", false, "", "install qt6-wayland"},
      {"a named Qt platform", "offscreen", nullptr, nullptr, false, "", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const qtbackend::DisplayChoice choice = qtbackend::ChooseDisplay(c.platform, c.display, c.wayland, c.plugin);
    EXPECT_EQ(choice.platform, c.chosen);
    if (c.missing) {
      EXPECT_NE(choice.missing.find(c.missing), std::string::npos) << choice.missing;
      EXPECT_EQ(choice.missing.find('\n'), std::string::npos);
      EXPECT_EQ(choice.missing.find("make"), std::string::npos) << "no developer's command";
    } else {
      EXPECT_EQ(choice.missing, "");
    }
  }
}

}  // namespace
