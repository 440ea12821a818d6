// The Linux program from its entry to exit code 0 on the Qt backend, run by
// the scripted user through real widgets: the intro, both styles of box,
// keyboard-only use, and the desktop setting kept in memory.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "QtFixture.h"
#include "app/ProgramBody.h"
#include "backends/qt/NativeMessageBox.h"
#include "framework/window/WindowGlobals.h"
#include "platform/Win32Api.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

namespace qt_test {
namespace {

const QString kComposer = QStringLiteral("OvQuibra Demo");

struct BoxSeen {
  bool native = false;
  QString title;
  QString text;  // a runtime box's lines joined with '\n'
  std::vector<QString> buttons;
  QWidget* parent = nullptr;
  bool onTop = false;
};

BoxSeen See(QWidget* window) {
  BoxSeen seen;
  seen.title = window->windowTitle();
  seen.buttons = BoxButtons(window);
  if (auto* box = dynamic_cast<qtbackend::NativeMessageBox*>(window)) {
    seen.native = true;
    seen.text = box->text();
    seen.parent = box->parentWidget();
    seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    return seen;
  }
  QStringList lines;
  for (int32_t line = 2; auto* label = window->findChild<QLabel*>(QString::number(line)); ++line)
    lines << label->text();
  seen.text = lines.join('\n');
  return seen;
}

class ProgramRun : public QtTest {
 protected:
  quibra_test::TempDir dir{true};
  // The settings folder is one of the test's own.
  quibra_test::ScopedVariable settingsHome{"XDG_CONFIG_HOME", dir.Path().string().c_str()};
  std::vector<BoxSeen> boxes;

  QtUser::Act Record() {
    return [this](QWidget* box) { boxes.push_back(See(box)); };
  }
};

TEST_F(ProgramRun, BothStylesOfBoxAndTheirReports) {
  QWidget* composer = nullptr;
  User()
      .LookAtBox(Record())
      .Answer("OK")
      .Look(kComposer,
            [&composer](QWidget* w) {
              composer = w;
              EXPECT_EQ(static_cast<QLineEdit*>(ControlWidget(w, 2))->text(), "Test Message | Second Line");
              EXPECT_TRUE(static_cast<QRadioButton*>(ControlWidget(w, 22))->isChecked());
            })
      .Type(kComposer, 2, "Hello|World")
      .Click(kComposer, 9)
      .Click(kComposer, 16)
      .Type(kComposer, 19, "3")
      .Click(kComposer, 20)
      .Click(kComposer, 24)
      .LookAtBox(Record())
      .Answer("No")
      .LookAtBox(Record())
      .Answer("OK")
      .Click(kComposer, 23)
      .Click(kComposer, 20)
      .Click(kComposer, 24)
      .LookAtBox(Record())
      .Answer("Yes")
      .LookAtBox(Record())
      .Answer("OK")
      .Click(kComposer, 25);
  EXPECT_EQ(quibra::RunProgram(), 0);
  EXPECT_EQ(quibra::LastResponse, 2) << "Close ends the window cancelled";
  ASSERT_EQ(boxes.size(), 5u);

  EXPECT_FALSE(boxes[0].native) << "the hook is not installed for the intro";
  EXPECT_EQ(boxes[0].text, kComposer);
  EXPECT_EQ(boxes[0].buttons, std::vector<QString>{"OK"});

  EXPECT_TRUE(boxes[1].native) << "Thread Safe: MessageBoxA";
  EXPECT_EQ(boxes[1].title, "Quibra Demo");
  EXPECT_EQ(boxes[1].text, "Hello\nWorld");
  EXPECT_EQ(boxes[1].buttons, (std::vector<QString>{"&Yes", "&No", "Cancel"}));
  EXPECT_EQ(boxes[1].parent, composer) << "owned by the composer window";
  EXPECT_TRUE(boxes[1].onTop) << "System Modal Message was ticked";

  EXPECT_TRUE(boxes[2].native) << "the report goes through the installed hook too";
  EXPECT_EQ(boxes[2].text, "BUTTON:NO was pressed");
  EXPECT_EQ(boxes[2].title, "");

  EXPECT_FALSE(boxes[3].native) << "Runtime: the runtime's own box";
  EXPECT_EQ(boxes[3].title, "Quibra Demo");
  EXPECT_EQ(boxes[3].text, "Hello\nWorld");
  EXPECT_EQ(boxes[3].buttons, (std::vector<QString>{"&Yes", "&No", "Cancel"}));
  EXPECT_FALSE(boxes[4].native);
  EXPECT_EQ(boxes[4].text, "BUTTON:YES was pressed");

  EXPECT_EQ(LiveHeapBlocks(), 0) << "the hook gives back every block it takes";
}

TEST_F(ProgramRun, KeyboardOnly) {
  // Tab visits each group once, at its chosen radio; space presses a button.
  const std::vector<int32_t> tabStops = {4, 6, 14, 19, 20, 22, 24};
  User().BoxKey(Qt::Key_Return);
  for (int32_t stop : tabStops) {
    User().Key(kComposer, 0, Qt::Key_Tab).Look(kComposer, [stop](QWidget* w) {
      EXPECT_EQ(QApplication::focusWidget(), ControlWidget(w, stop)) << "tab stop " << stop;
    });
  }
  User()
      .Key(kComposer, 0, Qt::Key_Space)
      .LookAtBox(Record())
      .BoxKey(Qt::Key_Return)
      .LookAtBox(Record())
      .BoxKey(Qt::Key_Escape)
      .Key(kComposer, 0, Qt::Key_Tab)
      .Key(kComposer, 0, Qt::Key_Space);
  EXPECT_EQ(quibra::RunProgram(), 0);
  EXPECT_EQ(quibra::LastResponse, 2);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Test Message \n Second Line");
  EXPECT_EQ(boxes[1].text, "BUTTON:OK was pressed");
}

// Text in any script goes from the keyboard to both styles of box unchanged.
TEST_F(ProgramRun, GreekCyrillicAndChineseReachBothBoxes) {
  const QString text = QString::fromUtf8("Καλημέρα|Привет 中文");
  const QString title = QString::fromUtf8("Ελληνικά");
  User()
      .Answer("OK")
      .Type(kComposer, 2, text)
      .Type(kComposer, 4, title)
      .Click(kComposer, 24)
      .LookAtBox(Record())
      .Answer("OK")
      .Answer("OK")
      .Click(kComposer, 23)
      .Click(kComposer, 24)
      .LookAtBox(Record())
      .Answer("OK")
      .Answer("OK")
      .Click(kComposer, 25);
  EXPECT_EQ(quibra::RunProgram(), 0);
  ASSERT_EQ(boxes.size(), 2u);
  for (const BoxSeen& box : boxes) {
    SCOPED_TRACE(box.native ? "native box" : "runtime box");
    EXPECT_EQ(box.text, QString::fromUtf8("Καλημέρα\nПривет 中文"));
    EXPECT_EQ(box.title, title);
  }
}

// Ctrl+Shift+C and the context menu copy the composed box as code.
TEST_F(ProgramRun, CopyAsCodeFromTheShortcutAndTheContextMenu) {
  QStringList menu;
  QString byShortcut, byMenu;
  User()
      .Answer("OK")
      .Key(kComposer, 0, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier)
      .Look(kComposer,
            [&](QWidget* w) {
              byShortcut = QGuiApplication::clipboard()->text();
              EXPECT_EQ(w->contextMenuPolicy(), Qt::ActionsContextMenu);
              for (QAction* a : w->actions()) menu << a->text();
              if (auto* c = w->findChild<QAction*>(QStringLiteral("command2"))) c->trigger();
            })
      .Look(kComposer, [&](QWidget*) { byMenu = QGuiApplication::clipboard()->text(); })
      .Click(kComposer, 25);
  EXPECT_EQ(quibra::RunProgram(), 0);
  EXPECT_EQ(menu, (QStringList{"Copy as &command line", "Copy as C call (&MessageBoxA)", "Copy as &zenity command",
                               "Copy as &kdialog command"}));
  EXPECT_TRUE(byShortcut.startsWith(QStringLiteral("quibrad "))) << byShortcut.toStdString();
  EXPECT_TRUE(byShortcut.contains(QStringLiteral("Test Message"))) << byShortcut.toStdString();
  EXPECT_TRUE(byMenu.startsWith(QStringLiteral("MessageBoxA(NULL, \"Test Message"))) << byMenu.toStdString();
}

TEST_F(ProgramRun, TheCloseBoxAndEscapeEndTheWindowCancelled) {
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "close box");
    User().Answer("OK");
    if (escape)
      User().Key(kComposer, 0, Qt::Key_Escape);
    else
      User().Close(kComposer);
    EXPECT_EQ(quibra::RunProgram(), 0);
    EXPECT_EQ(quibra::LastResponse, 2);
  }
}

TEST_F(ProgramRun, FullWindowDragIsKeptInMemoryWithItsWindowsMeaning) {
  bool offWhileRunning = true;
  User().Answer("OK").Look(kComposer, [&offWhileRunning](QWidget*) { offWhileRunning = !DragFullWindows(); });
  User().Click(kComposer, 25);
  EXPECT_EQ(quibra::RunProgram(), 0);
  EXPECT_TRUE(offWhileRunning) << "switched off for the run";
  EXPECT_TRUE(DragFullWindows()) << "and on again after it";
  const unsigned both = os::SPIF_UPDATEINIFILE | os::SPIF_SENDWININICHANGE;
  EXPECT_EQ(SystemParameterCalls(), (std::vector<SystemParameterCall>{
                                        {os::SPI_GETDRAGFULLWINDOWS, 0, 0, 1},
                                        {os::SPI_SETDRAGFULLWINDOWS, 0, both, 1},
                                        {os::SPI_SETDRAGFULLWINDOWS, 1, both, 1},
                                    }));
}

}  // namespace
}  // namespace qt_test
