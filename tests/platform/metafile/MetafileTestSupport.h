#pragma once
// Shared pieces of the metafile tests: a GUI application for font work and
// a small sheet-like picture drawn the same way to every device.
#include <QPainter>
#include <QVector>

namespace kvf::platform::testing {

// Makes sure a QGuiApplication exists (fonts need one); offscreen unless a
// platform was chosen.
void EnsureGuiApplication();

// "Arial" at a pixel size and weight, as the sheet asks for its fonts.
QFont ArialPixels(int pixels, int weight);

// A picture in the way the overview sheet draws: 32-pixel cells filled with
// colours, short centred labels in some cells, a bold band title, one
// cell left unfilled, and a word-wrapped centred caption in a filled block
// at the bottom. The fills reach every edge of the picture (libwmf sizes a
// picture by what it draws).
struct SamplePicture {
  static constexpr int kCell = 32;
  static constexpr int kColumns = 8;
  static constexpr int kRows = 4;  // band row + three answer rows
  static QSize Size() { return QSize(kColumns * kCell, kRows * kCell + 96); }

  struct Cell {
    QRect rect;
    QColor color;   // invalid: left unfilled
    QString label;  // empty: no text
  };
  QVector<Cell> cells;
  QRect band{kCell, 0, 5 * kCell, kCell};
  QString bandText = QStringLiteral("Block one");
  QRect captionBlock{0, kRows * kCell, kColumns * kCell, 96};  // filled; the caption is drawn inside
  QRect caption = captionBlock.adjusted(1, 0, -1, 0);
  QString captionText = QStringLiteral("Selection: women aged 30 to 49 who answered every question");

  SamplePicture();
  void Draw(QPainter& painter) const;
};

}  // namespace kvf::platform::testing
