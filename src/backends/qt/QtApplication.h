#pragma once
// The one QApplication of the process, made when the backend is installed.
// Without a display the program says so in one line, instead of letting the
// toolkit abort.
#include <memory>
#include <string>

#include "backends/InstallBackend.h"

class QApplication;
class QLocale;
class QTranslator;

namespace qtbackend {

// Which of Qt's platforms to start: the one QT_QPA_PLATFORM names; Wayland
// where a Wayland display is set and Qt's Wayland plugin is installed; else
// X11 where an X display is set (a Wayland session without the plugin falls
// back to X11 without a word); else none, and `missing` says what is missing
// in one sentence for the user. Arguments are the three variables' values or
// null, and whether the Wayland plugin is there.
struct DisplayChoice {
  std::string platform;  // for QT_QPA_PLATFORM; empty: as the environment says
  std::string missing;
};
DisplayChoice ChooseDisplay(const char* platform, const char* display, const char* wayland, bool waylandPlugin);

// What is missing for a display, in one sentence, as ChooseDisplay says it
// for this process's environment and the options' display; empty where Qt
// can try one.
std::string MissingDisplay(const backend::StartOptions& options);

// Taken before the application is made: the display to use, and the exit
// status of a start that finds none.
void SetStartOptions(const backend::StartOptions& options);

// Makes the application on the first call (on the thread that runs the
// windows) and returns it. Ends the process with the start options' failure
// status and a one-line message when there is no display or the display
// cannot be opened.
QApplication& EnsureApplication();

// Qt's own texts (its standard buttons', the details button's, the context
// menus') in `locale`'s language, installed on the application for as long
// as the translator lives; null where Qt has no translation for it (Debian's
// qt6-translations-l10n holds them). The application installs the user's
// locale's when it is made.
std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale& locale);

// After a window or message box closes, the window now on top takes the
// keyboard again, as on Windows an owner does when its owned window goes.
// Without this, a desktop without a window manager (a bare virtual display)
// leaves no window active and the keyboard reaches nothing.
void ActivateTopWindow();

}  // namespace qtbackend
