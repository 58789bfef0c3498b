#include "graphics/printing/PrintedGraphPage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "core/dialogs/AboutTexts.h"

namespace kvf::graphics {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

constexpr int kGap = 400;  // twips between title, graph and footer

QFont PageFont(int points, int weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

}  // namespace

BiText PrintingGraphText() { return {S("Printing graph..."), S("Skriver ut graf...")}; }
BiText GraphPrintedText() { return {S("Graph printed!"), S("Graf utskriven!")}; }
BiText GraphPrintFailedText() { return {S("Graph failed to print!"), S("Graf kunde inte skrivas ut!")}; }

QString FooterText(bool swedishDocument) {
  const ProgramVersion version = CurrentProgramVersion();
  return (swedishDocument ? S("Skapad av ") : S("Created by ")) + ApplicationTitle() + S(" version ") +
         QString::number(version.major) + QLatin1Char('.') +
         QStringLiteral("%1").arg(version.minor, 2, 10, QLatin1Char('0'));
}

QRect FitGraphRect(const QRect& area, double ratio) {
  const int W = area.width();
  const int H = area.height();
  if (ratio <= 0 || W <= 0 || H <= 0) return {};
  if (W / ratio < H) {
    const int h = static_cast<int>(W / ratio);
    return QRect(area.left(), area.top() + (H - h) / 2, W, h);
  }
  const int w = static_cast<int>(H * ratio);
  return QRect(area.left() + (W - w) / 2, area.top(), w, H);
}

PageFrame LayOutPageFrame(const PageGeometry& page, const PageInput& input, const QSize& titleSize,
                          const QSize& footerSize) {
  PageFrame layout;
  const int B = input.bindingMargin;
  const int O = input.otherMargins;
  int left = (page.landscape ? O : B) - page.offset.x();
  int top = (page.landscape ? B : O) - page.offset.y();
  left = std::max(left, 0);
  top = std::max(top, 0);
  const int right = std::min(page.paper.width() - O - page.offset.x(), page.printable.width());
  const int bottom = std::min(page.paper.height() - O - page.offset.y(), page.printable.height());
  if (right <= left || top >= bottom) return layout;
  layout.frame = QRect(QPoint(left, top), QPoint(right, bottom));
  layout.title = QRect(left + (right - left - titleSize.width()) / 2, top, titleSize.width(), titleSize.height());
  layout.footer = QRect(left + (right - left - footerSize.width()) / 2, bottom - footerSize.height(),
                        footerSize.width(), footerSize.height());
  const int graphTop = top + titleSize.height() + kGap;
  const int graphBottom = bottom - footerSize.height() - kGap;
  layout.graphArea = QRect(left, graphTop, right - left, graphBottom - graphTop);
  layout.graph = FitGraphRect(layout.graphArea, input.ratio);
  layout.ok = layout.graph.width() > 0 && layout.graph.height() > 0;
  return layout;
}

bool ChoosePrinter(QPrinter& printer, const PrinterList& printers, const QString& deviceName) {
  if (deviceName.isEmpty()) return false;
  for (const QString& name : printers.InstalledPrinters()) {
    if (name.compare(deviceName, Qt::CaseInsensitive) == 0) {
      printer.setPrinterName(name);
      return true;
    }
  }
  return false;
}

Status PrintGraphPage(QPagedPaintDevice& printer, const PageInput& input, const GraphDrawing& drawGraph) {
  const Status failed = Status::Failure(GraphPrintFailedText());
  QPrinter* realPrinter = dynamic_cast<QPrinter*>(&printer);
  QPainter painter;
  if (!painter.begin(&printer)) return failed;
  // A discarded page never reaches the printer.
  auto discard = [&] {
    if (realPrinter != nullptr) realPrinter->abort();
    painter.end();
    return failed;
  };
  // Twips <-> printer pixels.
  const double dpiX = printer.logicalDpiX() > 0 ? printer.logicalDpiX() : 1200;
  const double dpiY = printer.logicalDpiY() > 0 ? printer.logicalDpiY() : 1200;
  auto twipsX = [&](double pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / dpiX)); };
  auto twipsY = [&](double pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / dpiY)); };
  auto pixelsX = [&](int twips) { return static_cast<int>(std::lround(twips * dpiX / 1440.0)); };
  auto pixelsY = [&](int twips) { return static_cast<int>(std::lround(twips * dpiY / 1440.0)); };

  const QPageLayout pageLayout = printer.pageLayout();
  const QRectF paper = pageLayout.fullRectPixels(static_cast<int>(dpiX));
  const QRectF printable = pageLayout.paintRectPixels(static_cast<int>(dpiX));
  PageGeometry page;
  page.paper = QSize(twipsX(paper.width()), twipsY(paper.height()));
  page.offset = QPoint(twipsX(printable.left() - paper.left()), twipsY(printable.top() - paper.top()));
  page.printable = QSize(twipsX(printable.width()), twipsY(printable.height()));
  page.landscape = pageLayout.orientation() == QPageLayout::Landscape;

  const QFont titleFont = PageFont(14, 700);
  const QFont footerFont = PageFont(10, 400);
  const QFontMetrics titleMetrics(titleFont, &printer);
  const QFontMetrics footerMetrics(footerFont, &printer);
  const QString footer = FooterText(input.swedishDocument);
  const QSize titleSize(twipsX(titleMetrics.horizontalAdvance(input.projectName)), twipsY(titleMetrics.height()));
  const QSize footerSize(twipsX(footerMetrics.horizontalAdvance(footer)), twipsY(footerMetrics.height()));
  const PageFrame frame = LayOutPageFrame(page, input, titleSize, footerSize);
  if (!frame.ok) return discard();
  painter.setPen(Qt::black);
  painter.setFont(titleFont);
  painter.drawText(QPoint(pixelsX(frame.title.left()), pixelsY(frame.title.top()) + titleMetrics.ascent()),
                   input.projectName);
  painter.setFont(footerFont);
  painter.drawText(QPoint(pixelsX(frame.footer.left()), pixelsY(frame.footer.top()) + footerMetrics.ascent()), footer);
  const int x = pixelsX(frame.graph.left());
  const int y = pixelsY(frame.graph.top());
  const QRect graph(x, y, pixelsX(frame.graph.left() + frame.graph.width()) - x,
                    pixelsY(frame.graph.top() + frame.graph.height()) - y);
  painter.save();
  const bool drawn = drawGraph(painter, graph);
  painter.restore();
  if (!drawn) return discard();
  if (!painter.end()) return failed;
  return Status::Ok();
}

}  // namespace kvf::graphics
