#include "core/dialogs/PrintFormatRules.h"

#include <cmath>
#include <limits>

namespace kvf {

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

MarginUnit MarginUnitFor(QLocale::MeasurementSystem system) {
  if (system == QLocale::ImperialUSSystem) return {1440.0, 2, {S("inches"), S("tum")}};
  return {56.7, 1, {S("mm"), S("mm")}};
}

QString FormatMargin(int32_t twips, const MarginUnit& unit, const QLocale& locale) {
  return locale.toString(twips / unit.twipsPerUnit, 'f', unit.decimals);
}

std::optional<int32_t> ParseMargin(const QString& text, const MarginUnit& unit, const QLocale& locale) {
  bool ok = false;
  const double value = locale.toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(value) || value < 0) return std::nullopt;
  // std::nearbyint rounds halves to even (the default rounding mode).
  const double twips = std::nearbyint(value * unit.twipsPerUnit);
  if (twips > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(twips);
}

int ChoosePrinter(const QStringList& printers, const QString& saved, const QString& defaultPrinter) {
  for (const QString& wanted : {saved, defaultPrinter}) {
    if (wanted.isEmpty()) continue;
    for (qsizetype i = 0; i < printers.size(); ++i)
      if (printers[i].compare(wanted, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  }
  return -1;
}

BiText BindingMarginToolTip() {
  const QString tip =
      S("Hålslagsmarginalen är den vänstra för stående utskrifter och den övre för liggande utskrifter.");
  return {tip, tip};
}

}  // namespace kvf
