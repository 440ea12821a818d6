#include "backends/qt/PlatformCaptions.h"

#include <QCoreApplication>
#include <algorithm>

#include "backends/qt/AnsiText.h"

namespace qtbackend {
namespace {

// The standard buttons' texts as Qt's own platform theme gives them, through
// Qt's translations for the user's language (a string lookup: no widget is
// made, which a box shown from a script would wait for).
struct StandardText {
  int32_t button;
  const char* text;  // Qt's own source text, which its translations are keyed by
};
constexpr StandardText kStandardTexts[] = {
    {rt::ButtonOk, QT_TRANSLATE_NOOP("QPlatformTheme", "OK")},
    {rt::ButtonYes, QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes")},
    {rt::ButtonNo, QT_TRANSLATE_NOOP("QPlatformTheme", "&No")},
    {rt::ButtonAbort, QT_TRANSLATE_NOOP("QPlatformTheme", "Abort")},
    {rt::ButtonRetry, QT_TRANSLATE_NOOP("QPlatformTheme", "Retry")},
    {rt::ButtonIgnore, QT_TRANSLATE_NOOP("QPlatformTheme", "Ignore")},
    {rt::ButtonCancel, QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel")},
    {rt::ButtonHelp, QT_TRANSLATE_NOOP("QPlatformTheme", "Help")},
};

QString StandardCaption(int32_t value) {
  for (const StandardText& t : kStandardTexts)
    if (t.button == value) return QCoreApplication::translate("QPlatformTheme", t.text);
  return {};
}

bool ChosenByCaller(const rt::BoxRequest& request, int32_t value) {
  return std::any_of(request.captions.begin(), request.captions.end(),
                     [value](const rt::BoxCaption& c) { return c.button == value; });
}

// The access key of a caption, lower case: the character after its single
// '&' ("&&" stands for an ampersand); a null character where it has none.
QChar AccessKeyOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toLower();
    ++i;
  }
  return {};
}

// `caption` with an access key on its first letter or digit not in `taken`;
// unchanged where every one is taken.
QString WithFreeKey(const QString& caption, const std::vector<QChar>& taken) {
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption[i].toLower();
    if (c.isLetterOrNumber() && std::find(taken.begin(), taken.end(), c) == taken.end())
      return QString(caption).insert(i, QLatin1Char('&'));
  }
  return caption;
}

}  // namespace

std::vector<QString> NativeCaptions(const rt::BoxRequest& request, const std::vector<rt::ShownButton>& shown) {
  std::vector<QString> captions;
  std::vector<bool> wantsKey;
  for (const rt::ShownButton& b : shown) {
    const QString standard = b.value < rt::kFirstExtraButton ? StandardCaption(b.value) : QString();
    const bool own = standard.isEmpty() || ChosenByCaller(request, b.value);
    captions.push_back(own ? FromAnsi(b.caption) : standard);
    wantsKey.push_back(!own && !AccessKeyOf(FromAnsi(b.caption)).isNull());
  }
  std::vector<QChar> taken;
  for (const QString& caption : captions)
    if (const QChar key = AccessKeyOf(caption); !key.isNull()) taken.push_back(key);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (!wantsKey[i] || !AccessKeyOf(captions[i]).isNull()) continue;
    captions[i] = WithFreeKey(captions[i], taken);
    if (const QChar key = AccessKeyOf(captions[i]); !key.isNull()) taken.push_back(key);
  }
  return captions;
}

}  // namespace qtbackend
