// Renders the Linux program's windows to PNG files: the composer window, the
// box of each style (the native "Thread Safe" box and the runtime's own), and
// the error window with three history entries. The program runs for real,
// answered by the scripted user; each window is grabbed while it waits.
//
//   qt_screenshots <folder>
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QDir>
#include <QLocale>
#include <QPixmap>
#include <QTest>
#include <QtGlobal>
#include <cstdio>
#include <string>

#include "QtUser.h"
#include "app/ProgramBody.h"
#include "backends/qt/QtBackend.h"
#include "composer/ComposerWindowDef.h"
#include "composer/NativeMessageHook.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ErrorWindowModule.h"
#include "runtime/Address.h"
#include "runtime/MessageBox.h"
#include "runtime/Program.h"
#include "runtime/Property.h"
#include "runtime/Window.h"
#include "support/ErrorHistoryCase.h"
#include "support/HaltIntercept.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

namespace {

using qt_test::User;

QString folder;

qt_test::QtUser::Act Grab(std::string name) {
  return [name](QWidget* window) {
    const QString file = QDir(folder).filePath(QString::fromStdString(name));
    if (!window->grab().save(file)) {
      ADD_FAILURE() << "cannot write " << file.toStdString();
    }
    std::printf("screenshots: %s\n", file.toStdString().c_str());
  };
}

TEST(Screenshots, ComposerAndBothStylesOfBox) {
  quibra_test::TempDir dir(true);
  // The run's settings go to the folder of the run.
  quibra_test::ScopedVariable settingsHome("XDG_CONFIG_HOME", dir.Path().string().c_str());
  const QString composer = QStringLiteral("OvQuibra Demo");
  User()
      .Answer("OK")
      .Look(composer, Grab("linux-composer.png"))
      .Click(composer, quibra::ControlShowMessage)
      .LookAtBox(Grab("linux-box-thread-safe.png"))
      .Answer("OK")
      .Answer("OK")
      .Click(composer, quibra::ControlRuntime)
      .Click(composer, quibra::ControlButtonYesNoCancel)
      .Click(composer, quibra::ControlIconQuestion)
      .Click(composer, quibra::ControlShowMessage)
      .LookAtBox(Grab("linux-box-runtime.png"))
      .Answer("Yes")
      .Answer("OK")
      .Click(composer, quibra::ControlClose);
  EXPECT_EQ(quibra::RunProgram(), 0);
  EXPECT_TRUE(User().Remaining().empty());
}

// A long text in each style, shot a page down.
TEST(Screenshots, ALongTextScrollsInBothStyles) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += (i > 1 ? "|" : "") + std::to_string(i);
  const qt_test::QtUser::Act pageDown = [](QWidget* box) {
    if (auto* area = box->findChild<QAbstractScrollArea*>()) {
      area->setFocus(Qt::TabFocusReason);
      QTest::keyClick(area, Qt::Key_PageDown);
    }
  };
  for (const char* style : {"thread-safe", "runtime"}) {
    const bool native = std::string(style) == "thread-safe";
    rt::SetProperty(rt::SystemTarget, rt::PropMessageHook,
                    native ? rt::FunctionAddressNumber(&quibra::NativeMessageHook) : int64_t{0});
    const std::string file = std::string("linux-long-") + style + ".png";
    User().LookAtBox(pageDown).LookAtBox(Grab(file)).Answer("OK");
    EXPECT_EQ(rt::MessageBox(text, native ? "Thread Safe" : "Runtime", rt::IconAsterisk, "1", 0, 0, 0, 0, 0), 1);
  }
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, int64_t{0});
  EXPECT_TRUE(User().Remaining().empty());
}

// A box from the command line counting down on its default button.
TEST(Screenshots, ACountdownOnTheDefaultButton) {
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::FunctionAddressNumber(&quibra::NativeMessageHook));
  User().LookAtBox(Grab("linux-countdown.png")).Answer("Yes");
  EXPECT_EQ(rt::ShowBox({.text = "Back up the settings now?",
                         .caption = "Backup",
                         .icon = rt::IconQuestion,
                         .buttons = rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel,
                         .defaultButton = 3,
                         .timeout = 10}),
            rt::ButtonYes);
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, int64_t{0});
  EXPECT_TRUE(User().Remaining().empty());
}

TEST(Screenshots, ErrorWindowWithThreeHistoryEntries) {
  quibra::ErrorWindowModuleSetup(0);
  quibra::ErrorManager manager;
  quibra_test::RaiseThreeErrors(manager);
  User().Look("Errors History", Grab("linux-error-window.png")).Click("Errors History", 101);
  manager.ShowHistory();
  EXPECT_TRUE(User().Remaining().empty());
  manager.Shutdown();
  quibra::ErrorWindowModuleSetup(1);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: qt_screenshots <folder>\n");
    return 2;
  }
  folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  // The pictures show the program in English, whatever the machine's language.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  qtbackend::Install({});
  rt::SetHaltHandler(&quibra_test::ThrowHalt);
  return RUN_ALL_TESTS();
}
