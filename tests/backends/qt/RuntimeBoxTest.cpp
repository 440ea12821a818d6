// The runtime's own message box (the "Runtime" style) drawn by the Qt
// backend as a runtime window: its lines in any font, the keys, and the
// clipboard. The box rules are checked with every drawer (BoxDrawersTest).
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

class RuntimeBox : public QtTest {};

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
