// The printed graph page: the frame by orientation with the default
// margins, read back from Qt's PDF printer with poppler's pdftotext -bbox;
// the footer's language; the fitting rule; a frame that leaves no room.
#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "graphics/printing/PrintedGraphPage.h"

namespace kvf::testing {
namespace {

struct Word {
  double xMin, yMin;
};

// Each word of the PDF's one page with its box, in points.
std::map<QString, Word> Words(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  EXPECT_TRUE(process.waitForFinished(20000));
  static const QRegularExpression word(
      QString::fromLatin1(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
  std::map<QString, Word> words;
  for (const auto& match : word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())))
    words.emplace(match.captured(3), Word{match.captured(1).toDouble(), match.captured(2).toDouble()});
  return words;
}

TEST(PrintedGraphPage, FrameByOrientationWithDefaultMargins) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
  QTemporaryDir folder;
  constexpr double kPoint = 20.0;  // twips per point
  for (const bool landscape : {false, true}) {
    const QString path = folder.filePath(landscape ? QStringLiteral("l.pdf") : QStringLiteral("p.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    graphics::PageInput input;
    input.projectName = QStringLiteral("Projectname");
    input.swedishDocument = landscape;
    input.ratio = 2.0;
    QRect graph;
    const Status printed = graphics::PrintGraphPage(printer, input, [&](QPainter& painter, const QRect& rect) {
      graph = rect;
      painter.setFont(QFont(QStringLiteral("Arial"), 10));
      painter.drawText(rect.topLeft() + QPoint(0, painter.fontMetrics().ascent()), QStringLiteral("Graphcorner"));
      return true;
    });
    ASSERT_TRUE(printed.ok());
    const std::map<QString, Word> words = Words(path);
    ASSERT_TRUE(words.count(QStringLiteral("Projectname")) && words.count(QStringLiteral("Graphcorner")));
    const double top = landscape ? 1701 : 567;
    const double left = landscape ? 567 : 1701;
    EXPECT_NEAR(words.at(QStringLiteral("Projectname")).yMin * kPoint, top, 20) << landscape;
    EXPECT_NEAR(words.at(QStringLiteral("Graphcorner")).xMin * kPoint, left, 20) << landscape;
    EXPECT_EQ(words.count(landscape ? QStringLiteral("Skapad") : QStringLiteral("Created")), 1u);
    // Twice as wide as high on a portrait page: the graph fills the width
    // between the margins.
    if (!landscape) {
      EXPECT_NEAR(graph.width() * 1440.0 / printer.resolution(), 11906 - 1701 - 567, 20);
      EXPECT_NEAR(graph.height() * 2.0, graph.width(), 2);
    }
  }
}

class TwoPrinters : public graphics::PrinterList {
 public:
  QStringList InstalledPrinters() const override { return {QStringLiteral("Office"), QStringLiteral("Lab")}; }
  QString DefaultPrinter() const override { return QStringLiteral("Office"); }
};

TEST(PrintedGraphPage, PrinterChosenByNameWithoutRegardToCase) {
  QPrinter printer;
  const TwoPrinters printers;
  EXPECT_FALSE(graphics::ChoosePrinter(printer, printers, QString()));
  EXPECT_FALSE(graphics::ChoosePrinter(printer, printers, QStringLiteral("Basement")));
  EXPECT_TRUE(graphics::ChoosePrinter(printer, printers, QStringLiteral("lAB")));
}

TEST(PrintedGraphPage, FittingFooterAndEmptyFrame) {
  const QRect area(100, 200, 1000, 1000);
  EXPECT_EQ(graphics::FitGraphRect(area, 2.0), QRect(100, 450, 1000, 500));
  EXPECT_EQ(graphics::FitGraphRect(area, 0.5), QRect(350, 200, 500, 1000));
  EXPECT_EQ(graphics::FitGraphRect(area, 1.0), area);  // a tie is limited by the height
  EXPECT_EQ(graphics::FitGraphRect(QRect(0, 0, 1000, 600), 3.0), QRect(0, 133, 1000, 333));

  EXPECT_TRUE(graphics::FooterText(false).startsWith(QStringLiteral("Created by KVF Viewer version ")));
  EXPECT_TRUE(graphics::FooterText(true).startsWith(QStringLiteral("Skapad av KVF Viewer version ")));
  EXPECT_TRUE(QRegularExpression(QStringLiteral(" \\d+\\.\\d\\d$")).match(graphics::FooterText(true)).hasMatch());

  // A4 portrait in twips, a printer border of 300 twips.
  graphics::PageGeometry page{QSize(11906, 16838), QPoint(300, 300), QSize(11306, 16238), false};
  graphics::PageInput input;
  const graphics::PageFrame frame = graphics::LayOutPageFrame(page, input, QSize(2000, 300), QSize(3000, 200));
  ASSERT_TRUE(frame.ok);
  EXPECT_EQ(frame.frame.left(), 1701 - 300);
  EXPECT_EQ(frame.frame.top(), 567 - 300);
  EXPECT_EQ(frame.graphArea.top(), 567 - 300 + 300 + 400);
  EXPECT_EQ(frame.graphArea.top() + frame.graphArea.height(), 16838 - 567 - 300 - 200 - 400);
  input.otherMargins = 9000;
  EXPECT_FALSE(graphics::LayOutPageFrame(page, input, QSize(2000, 300), QSize(3000, 200)).ok);
}

}  // namespace
}  // namespace kvf::testing
