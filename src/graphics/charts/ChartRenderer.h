#pragma once
// Draws a ChartDescription on any paint device through Qt Charts (pie and
// bar charts, one or more sets, value labels, legends, a fixed value axis,
// reference lines), plus what Qt Charts lacks: the 3-D look (a depth offset
// with darker side faces), value labels taken from the description's texts,
// line explanations and extra point labels.
//
// The chart is laid out at 96 dpi and scaled onto the target rectangle, so a
// printer page or a picture file shows the same layout as the window.
// Palette and codes (ours to choose): sets and pie slices take the colours
// of ChartPalette in order; colour code 9 paints every bar of a one-set
// chart blue (0, 0, 255); legend code 0 hides the legend, 6 puts it below,
// any other code on the right. Pies label their slices and show no legend.
//
// REQUIRES: a QApplication exists (Qt Charts needs QtWidgets).
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <vector>

#include "core/graphs/ChartDescription.h"

namespace kvf::graphics {

const std::vector<QColor>& ChartPalette();
inline const QColor kColorCode9(0, 0, 255);

// Draws chart into rect on painter; extraLabels are written one per line at
// the top left of the plot area. False when the painter is not active or
// rect is empty.
bool DrawChart(QPainter& painter, const QRect& rect, const ChartDescription& chart,
               const QStringList& extraLabels = {});

}  // namespace kvf::graphics
