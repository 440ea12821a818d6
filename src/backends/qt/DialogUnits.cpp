#include "backends/qt/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace qtbackend {
namespace {

// value * numerator / denominator, rounded as Windows' MulDiv rounds.
int MulDiv(int32_t value, int numerator, int denominator) {
  int64_t product = static_cast<int64_t>(value) * numerator;
  int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(int baseX, int baseY) : baseX_(baseX > 0 ? baseX : 1), baseY_(baseY > 0 ? baseY : 1) {}

DialogUnits DialogUnits::OfFont(const QFont& font) {
  QFontMetrics metrics(font);
  int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits((letters / 26 + 1) / 2, metrics.height());
}

int DialogUnits::X(int32_t units) const { return MulDiv(units, baseX_, 4); }

int DialogUnits::Y(int32_t units) const { return MulDiv(units, baseY_, 8); }

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
