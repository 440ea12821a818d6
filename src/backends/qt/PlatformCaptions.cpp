#include "backends/qt/PlatformCaptions.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <algorithm>

#include "backends/qt/AnsiText.h"

namespace qtbackend {
namespace {

QDialogButtonBox::StandardButton StandardOf(int32_t value) {
  switch (value) {
    case rt::ButtonOk:
      return QDialogButtonBox::Ok;
    case rt::ButtonYes:
      return QDialogButtonBox::Yes;
    case rt::ButtonNo:
      return QDialogButtonBox::No;
    case rt::ButtonAbort:
      return QDialogButtonBox::Abort;
    case rt::ButtonRetry:
      return QDialogButtonBox::Retry;
    case rt::ButtonIgnore:
      return QDialogButtonBox::Ignore;
    case rt::ButtonCancel:
      return QDialogButtonBox::Cancel;
    case rt::ButtonHelp:
      return QDialogButtonBox::Help;
  }
  return QDialogButtonBox::NoButton;
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
  // The standard buttons' texts come from the platform's theme, through Qt's
  // translations; a button box that is never shown hands them out.
  QDialogButtonBox standard;
  std::vector<QString> captions;
  std::vector<bool> wantsKey;
  for (const rt::ShownButton& b : shown) {
    const QDialogButtonBox::StandardButton which =
        b.value < rt::kFirstExtraButton ? StandardOf(b.value) : QDialogButtonBox::NoButton;
    const bool own = which == QDialogButtonBox::NoButton || ChosenByCaller(request, b.value);
    captions.push_back(own ? FromAnsi(b.caption) : standard.addButton(which)->text());
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
