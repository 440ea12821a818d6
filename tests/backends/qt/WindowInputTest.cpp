// Qt's input on windows built for the purpose: access keys, activation,
// focus given to hidden controls, lists fed by a row callback, resizing and
// the cursor.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "QtFixture.h"
#include "WindowChecks.h"
#include "runtime/Address.h"
#include "runtime/EventLoop.h"
#include "runtime/Events.h"
#include "runtime/WindowDef.h"

namespace qt_test {
namespace {

rt::ControlDef Make(int32_t number, rt::ControlKind kind, std::string text, int32_t x, int32_t y, int32_t width = 0,
                    int32_t height = 0) {
  return rt::MakeControl(number, "?C" + std::to_string(number), kind, std::move(text), x, y, width, height);
}

// A small form: a prompt with an access key, its entry, two buttons.
rt::WindowDef Form(const std::string& caption) {
  rt::WindowDef def;
  def.name = "FORM";
  def.caption = caption;
  def.width = 160;
  def.height = 60;
  def.controls = {Make(1, rt::ControlKind::Prompt, "&Name:", 5, 6), Make(2, rt::ControlKind::Entry, "", 40, 5, 100, 12),
                  Make(3, rt::ControlKind::Button, "&Go", 40, 30, 50, 14),
                  Make(4, rt::ControlKind::Button, "&Stop", 95, 30, 50, 14)};
  def.controls[1].picture = "s20";
  return def;
}

class WindowInput : public QtTest {
 protected:
  rt::Window* Open(const rt::WindowDef& def) {
    rt::Window* w = rt::PrepareWindow(def);
    EXPECT_NE(w, nullptr);
    rt::OpenWindow(w);
    return w;
  }
};

TEST_F(WindowInput, AccessKeysFocusAPromptsControlOrPressAButton) {
  rt::Window* w = Open(Form("Form"));
  auto* native = Native(w);
  Drain(w);
  QTest::keyClick(native->ControlWidget(2), Qt::Key_S, Qt::AltModifier);
  QTest::qWait(300);  // an access key presses its button visibly, for a moment
  EXPECT_EQ(Drain(w), (std::vector<SeenEvent>{{rt::EventControlAccepted, 4}})) << "the focus stays in the entry";
  EXPECT_EQ(QApplication::focusWidget(), native->ControlWidget(2));
  QTest::keyClick(native->ControlWidget(2), Qt::Key_Tab);
  QTest::keyClick(native->ControlWidget(3), Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(Drain(w), (std::vector<SeenEvent>{{rt::EventControlSelected, 3}, {rt::EventControlSelected, 2}}));
  EXPECT_EQ(static_cast<QLabel*>(native->ControlWidget(1))->buddy(), native->ControlWidget(2));
}

TEST_F(WindowInput, ClickingTheFocusedButtonOnlyAcceptsIt) {
  rt::Window* w = Open(Form("Form"));
  auto* native = Native(w);
  Drain(w);
  QTest::mouseClick(native->ControlWidget(3), Qt::LeftButton);
  EXPECT_EQ(Drain(w), (std::vector<SeenEvent>{{rt::EventControlSelected, 3}, {rt::EventControlAccepted, 3}}));
  EXPECT_EQ(rt::KeyCode(), rt::KeyMouseLeft);
  QTest::mouseClick(native->ControlWidget(3), Qt::LeftButton);
  EXPECT_EQ(Drain(w), (std::vector<SeenEvent>{{rt::EventControlAccepted, 3}}));
}

TEST_F(WindowInput, AnotherWindowOnTopTakesTheFocusAndGivesItBack) {
  rt::Window* below = Open(Form("Below"));
  auto* belowNative = Native(below);
  Drain(below);
  QTest::keyClicks(belowNative->ControlWidget(2), "typed");
  rt::Window* above = Open(Form("Above"));
  auto* aboveNative = Native(above);
  EXPECT_EQ(Drain(below), (std::vector<SeenEvent>{{rt::EventControlAccepted, 2}, {rt::EventFocusLost, 0}}))
      << "what was typed is accepted before the window loses the focus";
  EXPECT_EQ(below->Contents(2), "typed");
  EXPECT_EQ(aboveNative->parentWidget(), nullptr);
  EXPECT_EQ(aboveNative->windowHandle()->transientParent(), belowNative->windowHandle())
      << "owned by the window under it";
  rt::CloseWindow(above);
  QCoreApplication::processEvents();
  EXPECT_TRUE(belowNative->isActiveWindow()) << "the window under it is active again";
  EXPECT_EQ(Drain(below), (std::vector<SeenEvent>{{rt::EventFocusGained, 0}}));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(Drain(below), (std::vector<SeenEvent>{{rt::EventControlSelected, 3}})) << "the keyboard reaches it";
}

TEST_F(WindowInput, AHiddenControlGivenTheFocusTakesItWhenShown) {
  rt::WindowDef def = Form("Form");
  def.controls[3].hidden = true;
  rt::Window* w = Open(def);
  auto* native = Native(w);
  w->Select(4);
  EXPECT_EQ(w->Focus(), 4) << "the runtime's focus is not moved elsewhere";
  EXPECT_EQ(QApplication::focusWidget(), native->ControlWidget(2));
  w->SetProperty(4, rt::PropHide, 0, rt::Value(0));
  EXPECT_EQ(QApplication::focusWidget(), native->ControlWidget(4));
  Drain(w);
  EXPECT_EQ(Drain(w), std::vector<SeenEvent>{});
}

TEST_F(WindowInput, AResizeAfterTheFirstIsTold) {
  rt::Window* w = Open(Form("Form"));
  auto* native = Native(w);
  EXPECT_EQ(Drain(w), (std::vector<SeenEvent>{{rt::EventWindowOpened, 0}, {rt::EventWindowResized, 0}}));
  native->setFixedSize(native->width() + 30, native->height());
  EXPECT_EQ(Drain(w), (std::vector<SeenEvent>{{rt::EventWindowResized, 0}}));
  native->setFixedSize(native->size());
  EXPECT_EQ(Drain(w), std::vector<SeenEvent>{}) << "the same size is no resize";
}

// A row source for the list tests: `rows` rows of `columns` cells "r.c".
struct Rows {
  int32_t rows;
  int32_t columns;
};

std::string CellOf(void* source, int32_t row, int32_t column) {
  auto* r = static_cast<Rows*>(source);
  if (row == -1) return std::to_string(r->rows);
  if (row == -2) return std::to_string(r->columns);
  if (row == -3) return "1";
  return std::to_string(row) + "." + std::to_string(column);
}

TEST_F(WindowInput, AListShowsTheRowsItsCallbackGives) {
  rt::WindowDef def;
  def.name = "LIST";
  def.caption = "List";
  def.width = 200;
  def.height = 100;
  def.controls = {Make(1, rt::ControlKind::List, "", 5, 5, 190, 80)};
  const struct {
    const char* label;
    std::string format;
    Rows source;
    QStringList headers;
    int selected;
  } cases[] = {
      {"two columns from the format", "60L~First~@s10@60L~Second~@s10@", {3, 2}, {"First", "Second"}, 2},
      {"no format: the source says how many columns, no header", "", {2, 3}, {}, 1},
      {"no rows", "60L~Only~@s10@", {0, 1}, {"Only"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    def.controls[0].format = c.format;
    rt::Window* w = Open(def);
    auto* native = Native(w);
    auto* list = static_cast<QTreeWidget*>(native->ControlWidget(1));
    EXPECT_EQ(list->topLevelItemCount(), 0) << "no callback yet: no rows";
    Rows source = c.source;
    w->SetProperty(1, rt::PropListSelection, 0, rt::Value(c.selected));
    w->SetProperty(1, rt::PropListRowSource, 0, rt::Value(rt::AddressNumber(&source)));
    w->SetProperty(1, rt::PropListRowCallback, 0, rt::Value(rt::FunctionAddressNumber(&CellOf)));
    ASSERT_EQ(list->topLevelItemCount(), c.source.rows);
    QStringList headers;
    for (int i = 0; i < list->columnCount() && !list->isHeaderHidden(); ++i) headers << list->headerItem()->text(i);
    EXPECT_EQ(headers, c.headers);
    EXPECT_EQ(list->columnCount(), c.source.columns);
    for (int r = 0; r < c.source.rows; ++r)
      for (int col = 0; col < c.source.columns; ++col)
        EXPECT_EQ(list->topLevelItem(r)->text(col), QString("%1.%2").arg(r + 1).arg(col + 1));
    EXPECT_EQ(list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) + 1 : 0, c.selected);
    source.rows += 1;
    w->Display(1);
    EXPECT_EQ(list->topLevelItemCount(), c.source.rows + 1) << "a redisplay asks the callback again";
    rt::ReleaseWindow(w);
  }
}

TEST_F(WindowInput, TheCursorShowsBusyWhileNamed) {
  rt::SetCursor(std::string("\xFF\x01\x01\x7F", 4));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  rt::SetCursor(std::string("\xFF\x01\x02\x7F", 4));
  rt::SetCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "one call gives the normal cursor back";
}

}  // namespace
}  // namespace qt_test
