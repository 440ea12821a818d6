// The native box's buttons in the desktop's language: where the caller named
// no caption, a button reads as Qt's own standard button does with Qt's
// translations, keeping an access key where the box rules give it one.
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "QtFixture.h"
#include "backends/qt/NativeMessageBox.h"
#include "backends/qt/QtApplication.h"
#include "platform/Win32Api.h"

namespace qt_test {
namespace {

using Captions = std::vector<QString>;

struct CaptionCase {
  const char* label;
  const char* locale;  // Qt's translations installed for it; null: none
  rt::BoxRequest request;
  Captions captions;
};

rt::BoxRequest Asking(int32_t buttons, std::vector<rt::BoxCaption> named = {}, int32_t timeout = 0) {
  rt::BoxRequest r;
  r.text = "Go on?";
  r.caption = "Title";
  r.buttons = buttons;
  r.captions = std::move(named);
  r.timeout = timeout;
  return r;
}

class NativeCaptions : public QtTest {};

TEST_F(NativeCaptions, ButtonsTheCallerDidNotNameReadAsTheDesktopsInItsLanguage) {
  const int32_t yesNoCancel = rt::ButtonYes + rt::ButtonNo + rt::ButtonCancel;
  const int32_t abortRetryIgnore = rt::ButtonAbort + rt::ButtonRetry + rt::ButtonIgnore;
  const CaptionCase cases[] = {
      {"German yes/no/cancel", "de_DE", Asking(yesNoCancel), {"&Ja", "&Nein", "Abbrechen"}},
      {"German OK/cancel: no access key where the rules give none",
       "de_DE",
       Asking(rt::ButtonOk + rt::ButtonCancel),
       {"OK", "Abbrechen"}},
      {"German abort/retry/ignore get their first letters as keys",
       "de_DE",
       Asking(abortRetryIgnore),
       {"&Abbrechen", "&Wiederholen", "&Ignorieren"}},
      {"a key the caller's caption took goes to the next free letter",
       "de_DE",
       Asking(abortRetryIgnore, {{rt::ButtonAbort, "&Weiter"}}),
       {"&Weiter", "W&iederholen", "I&gnorieren"}},
      {"the caller's captions stay as named",
       "de_DE",
       Asking(yesNoCancel, {{rt::ButtonYes, "Sure"}}),
       {"Sure", "&Nein", "Abbrechen"}},
      {"French, counting down on a caption beyond ASCII",
       "fr_FR",
       Asking(rt::ButtonRetry + rt::ButtonCancel, {}, 5),
       {"&Réessayer (5)", "Annuler"}},
      {"without translations, Qt's English", nullptr, Asking(abortRetryIgnore), {"&Abort", "&Retry", "&Ignore"}},
  };
  for (const CaptionCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::unique_ptr<QTranslator> language;
    if (c.locale) {
      language = qtbackend::InstallQtTranslations(QLocale(QString::fromLatin1(c.locale)));
      ASSERT_NE(language, nullptr) << "Qt's translations (qt6-translations-l10n) are not installed";
    }
    Captions seen;
    User().LookAtBox([&seen](QWidget* box) { seen = BoxButtons(box); }).BoxKey(Qt::Key_Return);
    qtbackend::ShowRequestBox(c.request);
    EXPECT_EQ(seen, c.captions);
  }
}

TEST_F(NativeCaptions, MessageBoxAsButtonsReadInTheDesktopsLanguageAndAnswerAsEver) {
  const std::unique_ptr<QTranslator> german = qtbackend::InstallQtTranslations(QLocale(QStringLiteral("de_DE")));
  ASSERT_NE(german, nullptr) << "Qt's translations (qt6-translations-l10n) are not installed";
  Captions seen;
  User().LookAtBox([&seen](QWidget* box) { seen = BoxButtons(box); }).Answer(QStringLiteral("Nein"));
  EXPECT_EQ(os::MessageBoxA(nullptr, "Save?", "Title", os::MB_YESNOCANCEL), os::IDNO);
  EXPECT_EQ(seen, (Captions{"&Ja", "&Nein", "Abbrechen"}));
}

}  // namespace
}  // namespace qt_test
