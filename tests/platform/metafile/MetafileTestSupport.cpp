#include "platform/metafile/MetafileTestSupport.h"

#include <QGuiApplication>

namespace kvf::platform::testing {

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kvfplatform_tests";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives for the whole test run
}

QFont ArialPixels(int pixels, int weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

SamplePicture::SamplePicture() {
  // Light colours, so that black text stands out in every cell.
  const QColor palette[] = {QColor(255, 200, 200), QColor(200, 255, 200), QColor(200, 200, 255),
                            QColor(255, 255, 160), QColor(160, 255, 255), QColor(255, 190, 255)};
  band = QRect(kCell, 0, 5 * kCell, kCell);
  bandText = QStringLiteral("Block one");
  bandColor = QColor(230, 230, 120);
  for (int row = 1; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      Cell cell;
      cell.rect = QRect(column * kCell, row * kCell, kCell, kCell);
      if (!(row == 2 && column == 3)) cell.color = palette[(row * 3 + column) % 6];
      if ((row + column) % 2 == 0) cell.label = QString::number(1 + (row + column) % 5);
      cells.append(cell);
    }
  }
  captionBlock = QRect(0, kRows * kCell, kColumns * kCell, 96);
  captionColor = QColor(235, 235, 235);
  caption = captionBlock.adjusted(1, 0, -1, 0);
  captionText = QStringLiteral("Selection: women aged 30 to 49 who answered every question");
}

void SamplePicture::Draw(QPainter& painter) const {
  const int scale = 2;
  painter.fillRect(band, bandColor);
  painter.setFont(ArialPixels(12 * scale, 700));
  const int bandWidth = painter.fontMetrics().horizontalAdvance(bandText);
  painter.drawText(band.left() + (band.width() - bandWidth) / 2, band.top() + 2 * scale + painter.fontMetrics().ascent(),
                   bandText);
  painter.setFont(ArialPixels(12 * scale, 400));
  for (const Cell& cell : cells) {
    if (cell.color.isValid()) painter.fillRect(cell.rect, cell.color);
    if (cell.label.isEmpty()) continue;
    const int width = painter.fontMetrics().horizontalAdvance(cell.label);
    painter.drawText(cell.rect.left() + (kCell - width) / 2, cell.rect.top() + 2 * scale + painter.fontMetrics().ascent(),
                     cell.label);
  }
  painter.fillRect(captionBlock, captionColor);
  painter.drawText(caption, Qt::TextWordWrap | Qt::AlignHCenter, captionText);
}

}  // namespace kvf::platform::testing
