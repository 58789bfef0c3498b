#pragma once
// The printed graph page that both graph windows use: the printer chosen by
// "Printer Device Name", margins placed by the page's orientation, the
// document's project name as a centred title (Arial 14 bold) at the top, a
// centred "Created by KVF Viewer version M.mm" line (Arial 10) at the
// bottom, and the space between them, less 400 twips on each side, given to
// the graph in the largest rectangle of the window's proportions.
//
// The graph is drawn by the caller: PrintGraphPage hands its drawing step
// the printer's painter and the graph rectangle in printer pixels. The
// basic graph window draws itself there; the chart window renders its chart
// there.
//
//   PageInput input{projectName, languageCode == "sv", margins, ratio};
//   Status printed = PrintGraphPage(printer, input, [&](QPainter& p, const QRect& r) { return Draw(p, r); });
//
// All positions are in twips of the page, measured from the printable
// area's corner (where the printer's painter has its origin), as a GDI
// printer context has them.
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

#include "core/text/BiText.h"
#include "core/text/Result.h"
#include "graphics/printing/PrinterList.h"

class QPainter;

namespace kvf::graphics {

struct PageInput {
  QString projectName;
  bool swedishDocument = false;  // the document's LanguageCode is "sv"
  int32_t bindingMargin = 1701;  // "Printer Binding Margin", twips
  int32_t otherMargins = 567;    // "Printer Other Margins", twips
  double ratio = 1.0;            // width / height of the graph's drawing area on the screen
};

// The printer's page in twips: the paper, the printable area's offset on
// it and the printable area's size.
struct PageGeometry {
  QSize paper;
  QPoint offset;
  QSize printable;
  bool landscape = false;
};

// Where everything goes, in twips from the printable area's corner.
struct PageFrame {
  bool ok = false;  // false: no printable frame remains
  QRect frame;      // left, top, right, bottom of step 4
  QRect title;
  QRect footer;
  QRect graphArea;  // between title and footer less the 400-twip gaps
  QRect graph;      // the fitted rectangle
};

// Lays out the frame for texts of the given sizes (twips). Pure.
PageFrame LayOutPageFrame(const PageGeometry& page, const PageInput& input, const QSize& titleSize,
                          const QSize& footerSize);
// The largest rectangle of width-to-height ratio r inside area, centred on
// the free axis (ties go to the height-limited case).
QRect FitGraphRect(const QRect& area, double ratio);

// "Created by KVF Viewer version M.mm" / "Skapad av ...".
QString FooterText(bool swedishDocument);

// Prints one page on a printer, or on any paged device (a QPdfWriter).
// drawGraph draws into its rectangle (printer pixels) and
// returns false when the graph did not fit; the page is then discarded. A
// failure carries "Graph failed to print!".
using GraphDrawing = std::function<bool(QPainter& painter, const QRect& rect)>;
Status PrintGraphPage(QPagedPaintDevice& printer, const PageInput& input, const GraphDrawing& drawGraph);

// Points printer at the installed printer whose name equals deviceName
// without regard to case; an empty name or no match leaves it as it is.
// Returns whether it switched.
bool ChoosePrinter(QPrinter& printer, const PrinterList& printers, const QString& deviceName);

// The status texts of printing a graph.
BiText PrintingGraphText();     // "Printing graph..."
BiText GraphPrintedText();      // "Graph printed!"
BiText GraphPrintFailedText();  // "Graph failed to print!"

}  // namespace kvf::graphics
