#include "backends/qt/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace qtbackend {

DialogUnits::DialogUnits(int baseX, int baseY) : base_{baseX > 0 ? baseX : 1, baseY > 0 ? baseY : 1} {}

DialogUnits DialogUnits::OfFont(const QFont& font) {
  QFontMetrics metrics(font);
  const rt::BaseUnits base =
      rt::BaseUnitsOfFont(metrics.horizontalAdvance(QLatin1String(rt::kBaseUnitLetters)), metrics.height());
  return DialogUnits(base.x, base.y);
}

int DialogUnits::X(int32_t units) const { return rt::UnitsToPixelsX(units, base_); }

int DialogUnits::Y(int32_t units) const { return rt::UnitsToPixelsY(units, base_); }

rt::ScreenArea DialogUnits::Screen(int width, int height) const { return rt::ScreenInUnits(width, height, base_); }

QFont WindowFont(const std::string& family, int32_t points) {
  const int size = points > 0 ? points : 8;
  QFont wanted(QString::fromStdString(family), size);
  // A family that is not installed cannot match: asking the database first
  // spares loading a font only to learn that (a box's start-up measures
  // "MS Sans Serif", which Linux systems rarely have).
  if (!family.empty() && QFontDatabase::hasFamily(wanted.family()) && QFontInfo(wanted).exactMatch()) return wanted;
  QFont sans(QStringLiteral("Sans Serif"), size);
  sans.setStyleHint(QFont::SansSerif);
  return sans;
}

}  // namespace qtbackend
