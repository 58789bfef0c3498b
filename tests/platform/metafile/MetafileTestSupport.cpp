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
  for (int row = 1; row < kRows; ++row)
    for (int column = 0; column < kColumns; ++column)
      cells.append({QRect(column * kCell, row * kCell, kCell, kCell),
                    row == 2 && column == 3 ? QColor() : palette[(row * 3 + column) % 6],
                    (row + column) % 2 == 0 ? QString::number(1 + (row + column) % 5) : QString()});
}

void SamplePicture::Draw(QPainter& painter) const {
  // Centred in the width of area, 4 pixels below its top.
  auto centred = [&](const QRect& area, const QString& text) {
    painter.drawText(area.left() + (area.width() - painter.fontMetrics().horizontalAdvance(text)) / 2,
                     area.top() + 4 + painter.fontMetrics().ascent(), text);
  };
  painter.fillRect(band, QColor(230, 230, 120));
  painter.setFont(ArialPixels(24, 700));
  centred(band, bandText);
  painter.setFont(ArialPixels(24, 400));
  for (const Cell& cell : cells) {
    if (cell.color.isValid()) painter.fillRect(cell.rect, cell.color);
    if (!cell.label.isEmpty()) centred(cell.rect, cell.label);
  }
  painter.fillRect(captionBlock, QColor(235, 235, 235));
  painter.drawText(caption, Qt::TextWordWrap | Qt::AlignHCenter, captionText);
}

}  // namespace kvf::platform::testing
