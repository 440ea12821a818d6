#include "backends/qt/QtApplication.h"

#include <errno.h>

#include <QApplication>
#include <QString>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace qtbackend {
namespace {

constexpr const char* kHowToRun = "start it under a virtual display: xvfb-run -a make run";

// The messages Qt gives while the application is made: held back, so that a
// display that cannot be opened gives one clear line and not the toolkit's
// several, and given to the usual handler afterwards otherwise.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

[[noreturn]] void FailToStart(const std::string& why) {
  std::fprintf(stderr, "%s: cannot start: %s; %s\n", program_invocation_short_name, why.c_str(), kHowToRun);
  std::fflush(stderr);
  std::_Exit(1);
}

void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    FailToStart(std::string("no window system could be opened (DISPLAY=\"") + (display ? display : "") + "\")");
  }
  heldMessages.emplace_back(type, message);
}

const char* Value(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : nullptr;
}

}  // namespace

std::string MissingDisplayMessage(const char* platform, const char* display, const char* wayland) {
  auto set = [](const char* v) { return v != nullptr && *v != 0; };
  if (set(platform) || set(display) || set(wayland)) return {};
  return "there is no display to show windows on (DISPLAY and WAYLAND_DISPLAY are not set)";
}

void ActivateTopWindow() {
  QWidget* top = QApplication::activeModalWidget();
  if (!top || !top->isVisible() || top->isActiveWindow()) return;
  top->raise();
  top->activateWindow();
}

QApplication& EnsureApplication() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  std::string missing = MissingDisplayMessage(Value("QT_QPA_PLATFORM"), Value("DISPLAY"), Value("WAYLAND_DISPLAY"));
  if (!missing.empty()) FailToStart(missing);

  // The program takes nothing from its command line: Qt sees only its name.
  static int argc = 1;
  static char name[] = "quibrad";
  static char* argv[] = {name, nullptr};
  QtMessageHandler usual = qInstallMessageHandler(&StartupMessageHandler);
  auto* app = new QApplication(argc, argv);
  qInstallMessageHandler(usual);
  for (const auto& [type, message] : heldMessages)
    if (usual) usual(type, QMessageLogContext(), message);
  heldMessages.clear();
  // The runtime decides when the program ends, not the last window closing.
  app->setQuitOnLastWindowClosed(false);
  return *app;
}

}  // namespace qtbackend
