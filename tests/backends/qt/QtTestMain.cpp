// The main() of the Qt backend's tests: the Qt backend is installed (on Qt's
// offscreen platform unless another is named), and a halt is turned into an
// exception that a test can expect. It does not use the shared test main,
// which installs the headless backend.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QLocale>
#include <QtGlobal>

#include "PlatformRecorder.h"
#include "backends/qt/QtBackend.h"
#include "runtime/Program.h"
#include "support/HaltIntercept.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  // Qt's own texts in English whatever the machine's language, as the tests
  // read them; a test of another language installs its own translations.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  qtbackend::Install({});
  qt_test::InstallPlatformRecorder();
  rt::SetHaltHandler(&quibra_test::ThrowHalt);
  return RUN_ALL_TESTS();
}
