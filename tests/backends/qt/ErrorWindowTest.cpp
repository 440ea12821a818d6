// The error message window drawn by the Qt backend: its list as a
// two-column view fed row by row from the history, its right-aligned
// buttons, its icon, and the answers.
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "QtFixture.h"
#include "WindowChecks.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ErrorWindowModule.h"
#include "runtime/MessageBox.h"

namespace qt_test {
namespace {

using Rows = std::vector<std::vector<QString>>;

struct ErrorLook {
  QString title;
  QStringList headers;
  std::vector<int> columnWidths;
  Rows rows;
  int currentRow = -1;
  std::vector<std::pair<int32_t, QString>> buttons;  // control and caption, left to right
  QString defaultButton;
  QString focused;
  bool icon = false;
};

ErrorLook LookAt(QWidget* window) {
  ErrorLook look;
  look.title = window->windowTitle();
  auto* list = window->findChild<QTreeWidget*>(QStringLiteral("200"));
  if (!list) {
    ADD_FAILURE() << "no list control 200";
    return look;
  }
  for (int c = 0; c < list->columnCount(); ++c) {
    look.headers << list->headerItem()->text(c);
    look.columnWidths.push_back(list->columnWidth(c));
  }
  for (int r = 0; r < list->topLevelItemCount(); ++r) {
    std::vector<QString>& row = look.rows.emplace_back();
    for (int c = 0; c < list->columnCount(); ++c) row.push_back(list->topLevelItem(r)->text(c));
  }
  look.currentRow = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
  std::vector<QPushButton*> shown;
  for (QPushButton* b : window->findChildren<QPushButton*>())
    if (b->isVisible()) shown.push_back(b);
  std::sort(shown.begin(), shown.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
  for (QPushButton* b : shown) {
    look.buttons.emplace_back(b->objectName().toInt(), b->text());
    if (b->isDefault()) look.defaultButton = b->text();
  }
  if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget())) look.focused = focused->text();
  auto* image = window->findChild<QLabel*>(QStringLiteral("300"));
  look.icon = image && !image->pixmap().isNull();
  ExpectTidyLayout(window);
  return look;
}

class ErrorWindow : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    quibra::ErrorWindowModuleSetup(0);
    manager.Setup();
  }
  void TearDown() override {
    manager.Shutdown();
    quibra::ErrorWindowModuleSetup(1);
    QtTest::TearDown();
  }
  // Keeps the history and records the given errors in it silently.
  void Record(std::initializer_list<uint16_t> ids) {
    manager.HISTORYTHRESHOLD = -1;
    manager.SILENT = 1;
    for (uint16_t id : ids) manager.Raise(id);
    manager.SILENT = 0;
  }

  quibra::ErrorManager manager;
};

TEST_F(ErrorWindow, HistoryOfThreeEntriesNewestSelected) {
  manager.AssignCategory(0x13, "Files");
  manager.NoteFile("Customers.DAT");
  Record({0x13, 0x0d, 0x08});
  ErrorLook look;
  User().Look("Errors History", [&look](QWidget* w) { look = LookAt(w); }).Click("Errors History", 101);
  manager.ShowHistory();
  EXPECT_EQ(look.headers, (QStringList{"Message", "Category"}));
  ASSERT_EQ(look.rows.size(), 3u);
  EXPECT_EQ(look.rows[0][1], QStringLiteral("Files"));
  EXPECT_TRUE(look.rows[0][0].startsWith(QStringLiteral("Customers.DAT File Load Error.")))
      << look.rows[0][0].toStdString();
  EXPECT_TRUE(look.rows[1][0].startsWith(QStringLiteral("Adding this record creates a duplicate entry")));
  EXPECT_EQ(look.rows[1][1], QStringLiteral("App")) << "the default category";
  EXPECT_EQ(look.rows[2][0], QStringLiteral("Are you sure you want to cancel?"));
  EXPECT_EQ(look.currentRow, 2) << "the newest entry, the one being reported, is selected";
  EXPECT_EQ(look.buttons, (std::vector<std::pair<int32_t, QString>>{{101, "O&k"}, {100, "&Help"}}))
      << "right-aligned in increasing bit order";
  EXPECT_EQ(look.defaultButton, QStringLiteral("O&k"));
  EXPECT_EQ(look.focused, QStringLiteral("O&k"));
  EXPECT_TRUE(look.icon) << "icon 0 shows the exclamation icon";
  ASSERT_EQ(look.columnWidths.size(), 2u);
  const int messageWidth = qtbackend::DialogUnits::OfFont(qtbackend::WindowFont("MS Sans Serif", 8)).X(217);
  EXPECT_EQ(look.columnWidths[0], messageWidth) << "217 dialog units";
}

struct AnswerCase {
  const char* label;
  int32_t buttons;
  int32_t def;
  std::vector<std::pair<int32_t, QString>> shown;
  QString defaultButton;
  int32_t press;  // 0: the close box
  int32_t result;
};

TEST_F(ErrorWindow, ButtonsAndAnswers) {
  const AnswerCase cases[] = {
      {"Yes No Cancel, Cancel default, No pressed",
       70,
       64,
       {{102, "&Yes"}, {101, "&No"}, {100, "&Cancel"}},
       "&Cancel",
       101,
       4},
      {"Ok Help, Help pressed", 129, 1, {{101, "O&k"}, {100, "&Help"}}, "O&k", 100, 128},
      {"all eight",
       255,
       8,
       {{107, "O&k"},
        {106, "&Yes"},
        {105, "&No"},
        {104, "&Abort"},
        {103, "&Retry"},
        {102, "&Ignore"},
        {101, "&Cancel"},
        {100, "&Help"}},
       "&Abort",
       104,
       8},
      {"closed: the default is the answer", 6, 2, {{101, "&Yes"}, {100, "&No"}}, "&Yes", 0, 2},
  };
  Record({0x08});
  for (const AnswerCase& c : cases) {
    SCOPED_TRACE(c.label);
    ErrorLook look;
    User().Look("Question", [&look](QWidget* w) { look = LookAt(w); });
    if (c.press)
      User().Click("Question", c.press);
    else
      User().Close("Question");
    EXPECT_EQ(manager.RunHistoryWindow("Question", 0, c.buttons, c.def), c.result);
    EXPECT_EQ(look.buttons, c.shown);
    EXPECT_EQ(look.defaultButton, c.defaultButton);
    EXPECT_EQ(look.rows.size(), 1u);
  }
}

TEST_F(ErrorWindow, AccessKeysPressTheButtons) {
  Record({0x08});
  User().Key("Question", 0, Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(manager.RunHistoryWindow("Question", 0, 70, 2), 4);
}

TEST_F(ErrorWindow, ChoosingARowTellsTheRuntime) {
  Record({0x13, 0x0d, 0x08});
  int64_t selected = 0;
  User()
      .Look("Errors History",
            [](QWidget* w) {
              auto* list = w->findChild<QTreeWidget*>(QStringLiteral("200"));
              const QRect first = list->visualItemRect(list->topLevelItem(0));
              QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
            })
      .Look("Errors History",
            [&selected](QWidget* w) {
              rt::Window* window = static_cast<qtbackend::NativeWindow*>(w)->RuntimeWindow();
              selected = window->GetProperty(200, rt::PropListSelection, 0).Number();
            })
      .Click("Errors History", 101);
  manager.ShowHistory();
  EXPECT_EQ(selected, 1);
}

}  // namespace
}  // namespace qt_test
