#pragma once
// The print format dialog's rules that need no window: the display unit of
// the margins, their formatting and reading, and which printer is chosen.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "core/text/BiText.h"

namespace kvf {

inline constexpr int32_t kDefaultBindingMargin = 1701;  // twips, 3.0 cm
inline constexpr int32_t kDefaultOtherMargins = 567;    // twips, 1.0 cm

struct MarginUnit {
  double twipsPerUnit = 56.7;
  int decimals = 1;
  BiText label;
};

// Inches (1440 twips, 2 decimals, "inches" / "tum") for the U.S. imperial
// measurement system; millimetres (56.7 twips, 1 decimal, "mm") otherwise.
MarginUnit MarginUnitFor(QLocale::MeasurementSystem system);

// twips in the unit, with the unit's decimals and the locale's grouping.
QString FormatMargin(int32_t twips, const MarginUnit& unit, const QLocale& locale);
// The trimmed text as a number in the locale times the unit's factor,
// rounded half to even to whole twips. nullopt for text that is no number,
// a negative margin, or one beyond a 32-bit count of twips.
std::optional<int32_t> ParseMargin(const QString& text, const MarginUnit& unit, const QLocale& locale);

// The printer to select: the entry equal to saved (case-insensitively),
// else the one equal to the default printer, else none (-1).
int ChoosePrinter(const QStringList& printers, const QString& saved, const QString& defaultPrinter);

// The binding margin box's tool tip (the same in both languages).
BiText BindingMarginToolTip();

}  // namespace kvf
