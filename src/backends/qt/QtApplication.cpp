#include "backends/qt/QtApplication.h"

#include <errno.h>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "backends/qt/Accessibility.h"

namespace qtbackend {
namespace {

backend::StartOptions startOptions;

// The messages Qt gives while the application is made: held back, so that a
// display that cannot be opened gives one clear line and not the toolkit's
// several, and given to the usual handler afterwards otherwise.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

[[noreturn]] void FailToStart(const std::string& why) {
  std::fprintf(stderr, "%s: no window can be shown: %s\n", program_invocation_short_name, why.c_str());
  std::fflush(stderr);
  std::_Exit(startOptions.failureStatus);
}

void StartupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    FailToStart(std::string("the display \"") + (display ? display : "") + "\" cannot be opened");
  }
  heldMessages.emplace_back(type, message);
}

const char* Value(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : nullptr;
}

// Qt's Wayland plugin, where Qt looks for its platform plugins.
bool WaylandPluginInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

}  // namespace

DisplayChoice ChooseDisplay(const char* platform, const char* display, const char* wayland, bool waylandPlugin) {
  auto set = [](const char* v) { return v != nullptr && *v != 0; };
  if (set(platform)) return {};
  if (set(wayland) && waylandPlugin) return {"wayland", {}};
  if (set(display)) return {"xcb", {}};
  if (set(wayland))
    return {{},
            "there is a Wayland display (WAYLAND_DISPLAY) but no X display, and Qt's Wayland plugin is missing: "
            "install qt6-wayland"};
  return {{}, "there is no display (DISPLAY and WAYLAND_DISPLAY are not set)"};
}

std::string MissingDisplay(const backend::StartOptions& options) {
  const char* display = options.display.empty() ? Value("DISPLAY") : options.display.c_str();
  return ChooseDisplay(Value("QT_QPA_PLATFORM"), display, Value("WAYLAND_DISPLAY"), WaylandPluginInstalled()).missing;
}

void SetStartOptions(const backend::StartOptions& options) { startOptions = options; }

std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale& locale) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator.get()))
    return nullptr;
  return translator;
}

void ActivateTopWindow() {
  QWidget* top = QApplication::activeModalWidget();
  if (!top || !top->isVisible() || top->isActiveWindow()) return;
  top->raise();
  top->activateWindow();
}

QApplication& EnsureApplication() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  if (!startOptions.display.empty()) qputenv("DISPLAY", QByteArray::fromStdString(startOptions.display));
  const DisplayChoice choice =
      ChooseDisplay(Value("QT_QPA_PLATFORM"), Value("DISPLAY"), Value("WAYLAND_DISPLAY"), WaylandPluginInstalled());
  if (!choice.missing.empty()) FailToStart(choice.missing);
  if (!choice.platform.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(choice.platform));

  // The program takes nothing from its command line: Qt sees only its name.
  static int argc = 1;
  static char name[] = "quibrad";
  static char* argv[] = {name, nullptr};
  QtMessageHandler usual = qInstallMessageHandler(&StartupMessageHandler);
  auto* app = new QApplication(argc, argv);
  InstallAccessibility();
  qInstallMessageHandler(usual);
  for (const auto& [type, message] : heldMessages)
    if (usual) usual(type, QMessageLogContext(), message);
  heldMessages.clear();
  // The runtime decides when the program ends, not the last window closing.
  app->setQuitOnLastWindowClosed(false);
  // The desktop's language for what Qt itself writes; kept for the life of
  // the application.
  if (std::unique_ptr<QTranslator> language = InstallQtTranslations(QLocale())) language.release()->setParent(app);
  return *app;
}

}  // namespace qtbackend
