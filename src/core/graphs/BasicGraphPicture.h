#pragma once
// A basic graph as a picture: what Copy puts on the clipboard and Save As
// (and `kvf graph --out`) writes. The graph is drawn at a scale (2 for Copy
// and Save As) into a picture of the window's drawing area times the scale;
// "Graph Copy Save Opaque" fills it with the window colour first, "Graph
// Copy Save White Space" leaves a border of 10 × scale pixels.
#include <QByteArray>
#include <QColor>
#include <QSize>

#include "core/graphs/BasicGraph.h"
#include "core/graphs/BasicGraphDrawing.h"
#include "core/output/PictureFormat.h"
#include "core/text/Result.h"

namespace kvf {

struct BasicGraphPictureOptions {
  bool opaque = false;      // "Graph Copy Save Opaque"
  bool whiteSpace = false;  // "Graph Copy Save White Space"
  QColor windowColor = Qt::white;
  QString title;  // the document's project name
  platform::MetafileReference reference;
};

// The picture of a graph whose on-screen drawing area is drawingSize, drawn
// with style (its scale decides the picture's size). Its paint routine
// returns false when the graph does not fit.
Picture BasicGraphPicture(const BasicGraphData& data, const BasicGraphStyle& style, const QSize& drawingSize,
                          const BasicGraphPictureOptions& options);

// The clipboard forms of one picture: the enhanced metafile, a PNG and an
// SVG of the same drawing.
struct PictureBytes {
  QByteArray emf;
  QByteArray png;
  QByteArray svg;
};
// Fails with "The graph is to big for the window!" when the graph does not
// fit, or when a form could not be made.
Result<PictureBytes> RenderPictureBytes(const Picture& picture);

// "The graph is to big for the window!" / "Grafen får inte plats i fönstret!".
BiText GraphTooBigText();

}  // namespace kvf
