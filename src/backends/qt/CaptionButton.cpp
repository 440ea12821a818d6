#include "backends/qt/CaptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace qtbackend {
namespace {

// A caption's width as drawn: its access marks take no room.
int DrawnWidth(const QFontMetrics& metrics, QString caption) {
  return metrics.horizontalAdvance(caption.replace(QLatin1String("&&"), QLatin1String("\1")).remove(QLatin1Char('&')));
}

}  // namespace

void CaptionButton::SetDrawnText(const QString& drawn) {
  const QString shown = drawn == text() ? QString() : drawn;
  if (shown == drawn_) return;
  drawn_ = shown;
  updateGeometry();
  update();
}

QSize CaptionButton::sizeHint() const {
  QSize hint = QPushButton::sizeHint();
  if (!drawn_.isEmpty())
    hint.rwidth() += std::max(0, DrawnWidth(fontMetrics(), drawn_) - DrawnWidth(fontMetrics(), text()));
  return hint;
}

void CaptionButton::paintEvent(QPaintEvent* e) {
  if (drawn_.isEmpty()) return QPushButton::paintEvent(e);
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text = drawn_;
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace qtbackend
