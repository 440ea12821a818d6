// The runtime's own message box (the "Runtime" style) drawn by the Qt
// backend as a runtime window: its buttons, default, icon and lines, and
// what each way of answering it gives.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

#include "QtFixture.h"
#include "WindowChecks.h"
#include "runtime/MessageBox.h"

namespace qt_test {
namespace {

using Captions = std::vector<QString>;

struct BoxLook {
  QString title;
  Captions buttons;
  QString defaultButton;
  QString focused;
  bool icon = false;
  std::vector<QString> lines;
  int buttonsOffCentre = 0;  // pixels between the row's left and right gaps
};

// What the user sees of the runtime box that waits.
BoxLook LookAt(QWidget* box) {
  BoxLook look;
  look.title = box->windowTitle();
  look.buttons = BoxButtons(box);
  for (QPushButton* b : box->findChildren<QPushButton*>())
    if (b->isDefault()) look.defaultButton = b->text();
  if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget())) look.focused = focused->text();
  auto* image = box->findChild<QLabel*>(QStringLiteral("1"));
  look.icon = image && image->isVisible() && !image->pixmap().isNull();
  for (int32_t line = 2; auto* label = box->findChild<QLabel*>(QString::number(line)); ++line)
    if (label->property("rtControl").isValid() && !qobject_cast<QPushButton*>(label))
      look.lines.push_back(label->text());
  int left = box->width(), right = 0;
  for (QPushButton* b : box->findChildren<QPushButton*>())
    if (b->isVisible()) left = std::min(left, b->x()), right = std::max(right, b->geometry().right() + 1);
  look.buttonsOffCentre = std::abs(left - (box->width() - right));
  ExpectTidyLayout(box);
  return look;
}

struct RuntimeCase {
  const char* label;
  std::string text;
  std::string icon;
  int32_t buttons;
  int32_t defaultButton;
  Captions shown;
  QString defaultCaption;
  QString answer;
  int32_t result;
};

class RuntimeBox : public QtTest {};

TEST_F(RuntimeBox, ButtonsDefaultIconAndAnswer) {
  const RuntimeCase cases[] = {
      {"OK with an exclamation", "Test Message | Second Line", rt::IconExclamation, 1, 0, {"OK"}, "OK", "OK", 1},
      {"Yes No Cancel, Cancel by value",
       "Sure?",
       rt::IconQuestion,
       70,
       64,
       {"&Yes", "&No", "Cancel"},
       "Cancel",
       "No",
       4},
      {"Abort Retry Ignore, third place",
       "Disk",
       rt::IconHand,
       56,
       3,
       {"&Abort", "&Retry", "&Ignore"},
       "&Ignore",
       "Abort",
       8},
      {"OK Cancel, no icon, second place", "Go on?", "", 65, 2, {"OK", "Cancel"}, "Cancel", "Cancel", 64},
      {"Retry Cancel, asterisk", "Again?", rt::IconAsterisk, 80, 0, {"&Retry", "Cancel"}, "&Retry", "Retry", 16},
      {"Yes No, 2 is the second place", "Sure?", "", 6, 2, {"&Yes", "&No"}, "&No", "Yes", 2},
  };
  for (const RuntimeCase& c : cases) {
    SCOPED_TRACE(c.label);
    BoxLook look;
    User().LookAtBox([&look](QWidget* box) { look = LookAt(box); }).Answer(c.answer);
    EXPECT_EQ(rt::RuntimeMessageBox(c.text, "Quibra Demo", c.icon, c.buttons, c.defaultButton, 0), c.result);
    EXPECT_EQ(look.title, QStringLiteral("Quibra Demo"));
    EXPECT_EQ(look.buttons, c.shown);
    EXPECT_EQ(look.defaultButton, c.defaultCaption);
    EXPECT_EQ(look.focused, c.defaultCaption) << "the default button has the focus";
    EXPECT_EQ(look.icon, !c.icon.empty());
  }
}

TEST_F(RuntimeBox, LinesAreShownWholeHoweverWide) {
  const struct {
    const char* label;
    std::string text;
    std::vector<QString> lines;
  } cases[] = {
      {"two lines, spaces kept", "Test Message | Second Line", {"Test Message ", " Second Line"}},
      {"the widest report", "BUTTON:IGNORE was pressed", {"BUTTON:IGNORE was pressed"}},
      {"wide capitals", "WWWWWWWWWWWWWWWWWWWW|MMMMMMMMMM", {"WWWWWWWWWWWWWWWWWWWW", "MMMMMMMMMM"}},
      {"the intro", "OvQuibra Demo", {"OvQuibra Demo"}},
      {"an empty text", "", {""}},
      {"a character the code page maps", "Caf\xE9 \x80", {QString::fromUtf8("Café €")}},
      {"markup is text", "<b>not bold</b>", {"<b>not bold</b>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    BoxLook look;
    User().LookAtBox([&look](QWidget* box) { look = LookAt(box); }).Answer("OK");
    EXPECT_EQ(rt::RuntimeMessageBox(c.text, "", rt::IconExclamation, 1, 0, 0), 1);
    EXPECT_EQ(look.lines, c.lines);
    EXPECT_LE(look.buttonsOffCentre, 1);
  }
}

struct EscapeCase {
  const char* label;
  int32_t buttons;
  bool closeBox;   // else Escape
  int32_t result;  // 0: the box stays and is then answered with `then`
  QString then;
  int32_t thenResult;
};

TEST_F(RuntimeBox, EscapeAndTheCloseBoxAnswerAsWindowsDoes) {
  const EscapeCase cases[] = {
      {"OK box, Escape", 1, false, 1, "", 0},
      {"OK box, close box", 1, true, 1, "", 0},
      {"OK Cancel, Escape", 65, false, 64, "", 0},
      {"Yes No Cancel, close box", 70, true, 64, "", 0},
      {"Yes No, Escape does nothing", 6, false, 0, "No", 4},
      {"Abort Retry Ignore, close box does nothing", 56, true, 0, "Ignore", 32},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.label);
    bool closeBox = false;
    User().LookAtBox([&closeBox](QWidget* box) { closeBox = box->windowFlags().testFlag(Qt::WindowCloseButtonHint); });
    if (c.closeBox)
      User().CloseBox();
    else
      User().BoxKey(Qt::Key_Escape);
    if (!c.result) User().Answer(c.then);
    EXPECT_EQ(rt::RuntimeMessageBox("Text", "Title", "", c.buttons, 0, 0), c.result ? c.result : c.thenResult);
    EXPECT_EQ(closeBox, c.result != 0) << "the close box is offered only where it answers";
  }
}

TEST_F(RuntimeBox, EnterAnswersWithTheDefaultButton) {
  User().BoxKey(Qt::Key_Return);
  EXPECT_EQ(rt::RuntimeMessageBox("Sure?", "", rt::IconQuestion, 70, 4, 0), 4);
  User().BoxKey(Qt::Key_Space);
  EXPECT_EQ(rt::RuntimeMessageBox("Sure?", "", rt::IconQuestion, 56, 16, 0), 16) << "space presses the focused one";
}

TEST_F(RuntimeBox, CtrlCCopiesTheWholeBox) {
  QApplication::clipboard()->clear();
  User().BoxKey(Qt::Key_C, Qt::ControlModifier).Answer("No");
  EXPECT_EQ(rt::RuntimeMessageBox("Test Message | Second Line", "Quibra Demo", "", 6, 0, 0), 4);
  const std::string rule = "---------------------------\n";
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            rule + "Quibra Demo\n" + rule + "Test Message \n Second Line\n" + rule + "Yes   No   \n" + rule);
}

}  // namespace
}  // namespace qt_test
