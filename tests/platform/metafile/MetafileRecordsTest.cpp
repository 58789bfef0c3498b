// Record-level checks of the EMF and WMF paint devices, read back with the
// tests' own metafile reader.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QImage>
#include <QPainterPath>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <set>
#include <tuple>

#include "platform/metafile/MetafilePaintDevice.h"
#include "platform/metafile/MetafileTestReader.h"
#include "platform/metafile/MetafileTestSupport.h"
#include "platform/metafile/WmfWriter.h"

namespace kvf::platform {
namespace {

using testing::ReadEmf;
using testing::ReadWmf;

uint32_t ColorRefOf(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
         static_cast<uint32_t>(color.blue()) << 16;
}

template <typename Device, typename Paint>
void PaintOn(Device& device, Paint paint) {
  QPainter painter(&device);
  ASSERT_TRUE(painter.isActive());
  paint(painter);
}

class MetafileRecordsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureGuiApplication(); }
};

// The same painting recorded by both devices and read back.
struct ReadBoth {
  ReadEmf emf;
  ReadWmf wmf;
  std::array<const testing::ReadPicture*, 2> Both() const { return {&emf, &wmf}; }
};

template <typename Paint>
ReadBoth DrawBoth(const QSize& size, Paint paint) {
  EmfPaintDevice emf(size, QString());
  WmfPaintDevice wmf(size);
  PaintOn(emf, paint);
  PaintOn(wmf, paint);
  ReadBoth read{testing::ReadEnhancedMetafile(emf.ToBytes()), testing::ReadPlaceableMetafile(wmf.ToBytes())};
  EXPECT_TRUE(read.emf.error.isEmpty()) << read.emf.error.toStdString();
  EXPECT_TRUE(read.wmf.error.isEmpty()) << read.wmf.error.toStdString();
  return read;
}

TEST_F(MetafileRecordsTest, EmfHeaderCarriesBoundsFrameReferenceAndDescription) {
  EmfPaintDevice emf(QSize(200, 100), QStringLiteral("Enkät 2026"));
  PaintOn(emf, [](QPainter& p) { p.fillRect(QRect(0, 0, 200, 100), Qt::red); });
  const QByteArray bytes = emf.ToBytes();
  const ReadEmf read = testing::ReadEnhancedMetafile(bytes);
  ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();

  uint64_t total = 0;
  for (const auto& record : read.records) total += record.size;
  EXPECT_EQ(std::make_tuple(read.signature, read.bytes, read.recordCount, total, read.records.first().type,
                            read.records.last().type),
            std::make_tuple(0x464D4520u, static_cast<uint32_t>(bytes.size()),
                            static_cast<uint32_t>(read.records.size()), static_cast<uint64_t>(bytes.size()), 1u, 14u));
  // 96 dpi: 200 px = 200 / 96 inch = 52.9167 mm; 100 px = 26.4583 mm.
  EXPECT_EQ(std::make_tuple(read.bounds, read.frame, read.devicePixels, read.deviceMillimetres, read.micrometres),
            std::make_tuple(QRect(QPoint(0, 0), QPoint(199, 99)), QRect(QPoint(0, 0), QPoint(5292, 2646)),
                            QSize(1920, 1440), QSize(508, 381), QSize(508000, 381000)));
  EXPECT_EQ(read.description, QString::fromUtf8("KVF Viewer") + QChar(0) + QString::fromUtf8("Enkät 2026") + QChar(0));
  EXPECT_EQ(emf.Description(), read.description);

  int largestHandle = 0;
  for (int handle : read.createdSlots) largestHandle = std::max(largestHandle, handle);
  EXPECT_GT(read.handles, largestHandle);
}

TEST_F(MetafileRecordsTest, EmfFrameAndResolutionFollowTheReferenceDevice) {
  // A 120-dpi screen; and one whose millimetres give an uneven ratio.
  EmfPaintDevice fine(QSize(240, 60), QString(), MetafileReference::ForResolution(120, 120));
  EXPECT_EQ(std::make_tuple(fine.logicalDpiX(), fine.logicalDpiY()), std::make_tuple(120, 120));
  const ReadEmf fineRead = testing::ReadEnhancedMetafile(fine.ToBytes());
  ASSERT_TRUE(fineRead.error.isEmpty()) << fineRead.error.toStdString();
  EXPECT_EQ(fineRead.frame.bottomRight(), QPoint(5080, 1270));
  EXPECT_EQ(fineRead.description, QString::fromUtf8("KVF Viewer") + QChar(0) + QChar(0));

  MetafileReference odd;
  odd.pixels = QSize(1366, 768);
  odd.millimetres = QSize(344, 194);
  EmfPaintDevice laptop(QSize(333, 77), QString(), odd);
  const ReadEmf oddRead = testing::ReadEnhancedMetafile(laptop.ToBytes());
  // 344 × 333 × 100 / 1366 = 8386.0; 194 × 77 × 100 / 768 = 1945.05
  EXPECT_EQ(std::make_tuple(oddRead.frame.bottomRight(), oddRead.devicePixels),
            std::make_tuple(QPoint(8386, 1945), QSize(1366, 768)));
  // Text is laid out at the logical resolution; the physical one is the
  // screen's own (1366 px on 344 mm: 100.9 dpi).
  EXPECT_EQ(std::make_tuple(laptop.logicalDpiX(), laptop.physicalDpiX()), std::make_tuple(96, 101));

  // The program's screen as reference; 96 dpi without one, and on the
  // headless platform the tests run on.
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* screen : {static_cast<const QScreen*>(nullptr), primary}) {
    const MetafileReference reference = MetafileReference::ForScreen(screen);
    if (screen && QGuiApplication::platformName() != QLatin1String("offscreen")) {
      EXPECT_EQ(reference.pixels, screen->size());
      EXPECT_EQ(reference.logicalDpiY, qRound(screen->logicalDotsPerInchY()));
      continue;
    }
    EXPECT_EQ(std::make_tuple(reference.pixels, reference.millimetres, reference.logicalDpiX),
              std::make_tuple(QSize(1920, 1440), QSize(508, 381), 96));
  }

  // A point-sized font becomes pixels at the reference's resolution.
  EmfPaintDevice points(QSize(100, 40), QString(), MetafileReference::ForResolution(120, 120));
  PaintOn(points, [](QPainter& p) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    p.setFont(font);
    p.drawText(2, 20, QStringLiteral("x"));
  });
  const ReadEmf pointsRead = testing::ReadEnhancedMetafile(points.ToBytes());
  ASSERT_EQ(pointsRead.texts.size(), 1);
  EXPECT_EQ(pointsRead.texts[0].font.height, -15);
}

TEST_F(MetafileRecordsTest, DevicesLayOutTextAsA96DpiScreenImage) {
  EmfPaintDevice emf(QSize(300, 50), QString());
  WmfPaintDevice wmf(QSize(300, 50));
  QImage screen(300, 50, QImage::Format_RGB32);
  EXPECT_EQ(std::make_tuple(emf.width(), emf.height(), emf.logicalDpiX(), emf.physicalDpiY(), wmf.logicalDpiY()),
            std::make_tuple(300, 50, 96, 96, 96));
  QFont pointFont(QStringLiteral("Arial"));
  pointFont.setPointSize(11);
  const QString text = QStringLiteral("Hur nöjd är du med din arbetsplats?");
  EXPECT_EQ(QFontMetrics(pointFont, &emf).horizontalAdvance(text), QFontMetrics(pointFont, &screen).horizontalAdvance(text));
  EXPECT_EQ(QFontMetrics(pointFont, &wmf).height(), QFontMetrics(pointFont, &screen).height());
}

TEST_F(MetafileRecordsTest, FontsAreArialAtTheRequestedPixelHeightAndWeight) {
  const ReadBoth read = DrawBoth(QSize(200, 80), [](QPainter& p) {
    p.setFont(testing::ArialPixels(24, 700));
    p.drawText(4, 30, QStringLiteral("Bold"));
    p.setFont(testing::ArialPixels(24, 400));
    p.drawText(4, 60, QStringLiteral("Normal"));
    p.drawText(100, 60, QStringLiteral("Again"));  // no new font
  });
  for (const testing::ReadPicture* picture : read.Both()) {
    const auto& fonts = picture->fontsCreated;
    ASSERT_EQ(fonts.size(), 2);
    EXPECT_EQ(std::make_tuple(fonts[0].face, fonts[0].height, fonts[0].weight, fonts[1].height, fonts[1].weight,
                              fonts[1].charset),
              std::make_tuple(QStringLiteral("Arial"), -24, 700, -24, 400, 1));
    ASSERT_EQ(picture->texts.size(), 3);
    EXPECT_EQ(std::make_tuple(picture->texts[0].font.weight, picture->texts[2].font.weight), std::make_tuple(700, 400));
  }
}

TEST_F(MetafileRecordsTest, FillsCoverExactlyTheirRectangles) {
  const QColor first(10, 120, 250);
  const QColor second(200, 30, 40);
  auto paint = [&](QPainter& p) {
    p.fillRect(QRect(10, 20, 32, 32), first);
    p.translate(5, 7);
    p.fillRect(QRectF(0.0, 0.0, 16.0, 8.0), second);
    p.fillRect(QRect(0, 0, 50, 50), QColor(0, 0, 0, 0));  // transparent: nothing
    p.resetTransform();
    p.scale(2, 2);
    p.fillRect(QRect(30, 1, 3, 4), first);
  };
  const ReadBoth read = DrawBoth(QSize(100, 100), paint);
  const QVector<std::pair<QRect, uint32_t>> expected = {{QRect(10, 20, 32, 32), ColorRefOf(first)},
                                                        {QRect(5, 7, 16, 8), ColorRefOf(second)},
                                                        {QRect(60, 2, 6, 8), ColorRefOf(first)}};
  for (const testing::ReadPicture* picture : read.Both()) {
    QVector<std::pair<QRect, uint32_t>> fills;
    for (const testing::ReadFill& fill : picture->fills) fills.append({fill.rect, fill.colorRef});
    EXPECT_EQ(fills, expected);
    EXPECT_EQ(picture->shapeRecords, 0);
  }
  for (const testing::ReadFill& fill : read.wmf.fills) EXPECT_TRUE(fill.penIsNull);
}

TEST_F(MetafileRecordsTest, TextRunsSitOnTheBaselineWithAdvancesAddingUpToTheWidth) {
  const QFont font = testing::ArialPixels(24, 400);
  const QString text = QStringLiteral("Wavy Text AV");
  const QColor ink(0, 0, 128);
  auto paint = [&](QPainter& p) {
    p.setFont(font);
    p.setPen(ink);
    p.drawText(7, 30, text);
  };
  const ReadBoth read = DrawBoth(QSize(300, 40), paint);
  const ReadEmf& e = read.emf;
  const ReadWmf& w = read.wmf;
  ASSERT_EQ(std::make_tuple(e.texts.size(), w.texts.size()), std::make_tuple(1, 1));
  const int width = static_cast<int>(std::lround(QFontMetricsF(font).horizontalAdvance(text)));
  for (const testing::ReadText& run : {e.texts[0], w.texts[0]}) {
    // On the baseline (align 24), transparent (mode 1).
    EXPECT_EQ(std::make_tuple(run.text, run.reference, run.textAlign & 24, run.backgroundMode, run.colorRef),
              std::make_tuple(text, QPoint(7, 30), 24, 1, ColorRefOf(ink)));
    ASSERT_EQ(run.dx.size(), text.size());
    int sum = 0;
    for (int advance : run.dx) {
      EXPECT_GE(advance, 0);
      sum += advance;
    }
    EXPECT_NEAR(sum, width, 1);
  }
  EXPECT_EQ(e.texts[0].dx, w.texts[0].dx);
}

TEST_F(MetafileRecordsTest, WordWrappedCentredTextArrivesAsCentredLines) {
  const QRect box(10, 100, 220, 200);
  const QString caption = QStringLiteral("Urval: kvinnor 30 till 49 år som har svarat på varje fråga i enkäten");
  const QFont font = testing::ArialPixels(24, 400);
  EmfPaintDevice emf(QSize(240, 320), QString());
  PaintOn(emf, [&](QPainter& p) {
    p.setFont(font);
    p.drawText(box, Qt::TextWordWrap | Qt::AlignHCenter, caption);
  });
  const ReadEmf e = testing::ReadEnhancedMetafile(emf.ToBytes());
  ASSERT_TRUE(e.error.isEmpty()) << e.error.toStdString();
  ASSERT_GE(e.texts.size(), 3);

  QStringList words;
  const QFontMetricsF metrics(font);
  int previousY = -1;
  for (const testing::ReadText& line : e.texts) {
    words += line.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    EXPECT_GT(line.reference.y(), previousY);
    if (previousY >= 0) {
      EXPECT_NEAR(line.reference.y() - previousY, metrics.lineSpacing(), 1.0);
    }
    previousY = line.reference.y();
    // The visible width: leave out advances of trailing spaces.
    int width = 0;
    int trimmed = static_cast<int>(line.text.size());
    while (trimmed > 0 && line.text[trimmed - 1] == QLatin1Char(' ')) --trimmed;
    for (int i = 0; i < trimmed; ++i) width += line.dx[i];
    EXPECT_LE(width, box.width());
    EXPECT_NEAR(line.reference.x() + width / 2.0, box.center().x() + 0.5, 2.0) << line.text.toStdString();
  }
  EXPECT_EQ(words.join(QLatin1Char(' ')), caption);
  EXPECT_NEAR(e.texts.first().reference.y(), box.top() + metrics.ascent(), 1.0);
}

TEST_F(MetafileRecordsTest, CleanUpSelectsStockObjectsAndDeletesEveryObject) {
  EmfPaintDevice emf(testing::SamplePicture::Size(), QString());
  testing::SamplePicture picture;
  PaintOn(emf, [&](QPainter& p) { picture.Draw(p); });
  const ReadEmf e = testing::ReadEnhancedMetafile(emf.ToBytes());
  ASSERT_TRUE(e.error.isEmpty()) << e.error.toStdString();
  EXPECT_GT(e.createdSlots.size(), 0);
  EXPECT_EQ(e.objectsAliveAtEnd, 0);
  // After the last drawing record: three stock selections, then deletions only.
  int last = static_cast<int>(e.records.size()) - 1;
  ASSERT_EQ(e.records[last].type, 14u);
  int deletions = 0;
  while (e.records[last - 1 - deletions].type == 40u) ++deletions;
  EXPECT_EQ(deletions, e.createdSlots.size());  // nothing was evicted in a small picture
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(e.records[last - deletions - i].type, 37u);

  WmfPaintDevice wmf(testing::SamplePicture::Size());
  PaintOn(wmf, [&](QPainter& p) { picture.Draw(p); });
  const ReadWmf w = testing::ReadPlaceableMetafile(wmf.ToBytes());
  ASSERT_TRUE(w.error.isEmpty()) << w.error.toStdString();
  EXPECT_EQ(std::make_tuple(w.objectsAliveAtEnd, w.records.last().type, w.records.last().size),
            std::make_tuple(0, 0u, 6u));
}

TEST_F(MetafileRecordsTest, ManyColoursReuseObjectSlotsAndKeepEveryFillRight) {
  const int colours = 300;
  auto paint = [&](QPainter& p) {
    for (int i = 0; i < colours; ++i) p.fillRect(QRect((i % 20) * 10, (i / 20) * 10, 10, 10), QColor::fromHsv(i, 200, 220));
    // Back to early colours, which may have been deleted meanwhile.
    for (int i = 0; i < 20; ++i) p.fillRect(QRect(i * 10, 150, 10, 10), QColor::fromHsv(i, 200, 220));
  };
  const ReadBoth read = DrawBoth(QSize(200, 160), paint);
  const ReadEmf& e = read.emf;
  const ReadWmf& w = read.wmf;
  QVector<uint32_t> expected;
  for (int i = 0; i < colours + 20; ++i)
    expected.append(ColorRefOf(QColor::fromHsv(i < colours ? i : i - colours, 200, 220)));
  for (const testing::ReadPicture* picture : read.Both()) {
    QVector<uint32_t> colorRefs;
    for (const testing::ReadFill& fill : picture->fills) colorRefs.append(fill.colorRef);
    EXPECT_EQ(colorRefs, expected);
    EXPECT_EQ(picture->objectsAliveAtEnd, 0);
    const std::set<int> slots(picture->createdSlots.begin(), picture->createdSlots.end());
    EXPECT_LT(slots.size(), static_cast<size_t>(picture->createdSlots.size()));
  }
  // Slots are reused rather than growing with every colour.
  EXPECT_LT(e.handles, colours);
  EXPECT_LT(w.numberOfObjects, colours);
  EXPECT_GE(w.numberOfObjects, w.mostObjectsAlive);
}

TEST_F(MetafileRecordsTest, LinesShapesAndImagesBecomeTheirRecords) {
  auto paint = [](QPainter& p) {
    p.setPen(QPen(Qt::blue, 2));
    p.drawLine(0, 0, 50, 50);
    p.setBrush(Qt::green);
    p.drawEllipse(QRect(10, 10, 30, 20));
    p.drawPolygon(QPolygon({QPoint(60, 10), QPoint(90, 10), QPoint(75, 40)}));
    QPainterPath path;
    path.addRect(100, 10, 20, 20);
    path.addEllipse(130, 10, 20, 20);
    p.drawPath(path);
    p.rotate(30);
    p.fillRect(QRect(20, 0, 10, 10), Qt::red);  // rotated: a polygon, not a fill
    p.resetTransform();
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    p.drawImage(QRect(160, 10, 8, 6), image);
  };
  const ReadBoth read = DrawBoth(QSize(200, 60), paint);
  // line, ellipse, triangle, path area + two outlines, rotated rectangle
  for (const testing::ReadPicture* picture : read.Both())
    EXPECT_EQ(std::make_tuple(picture->shapeRecords, picture->imageRecords), std::make_tuple(7, 1));
  EXPECT_TRUE(read.emf.fills.isEmpty());
}

TEST_F(MetafileRecordsTest, RotatedTextBecomesFilledOutlinesAndScaledTextAScaledFont) {
  const ReadBoth read = DrawBoth(QSize(200, 200), [](QPainter& p) {
    p.setFont(testing::ArialPixels(12, 400));
    p.translate(100, 100);
    p.rotate(90);
    p.drawText(0, 0, QStringLiteral("Up"));
    p.resetTransform();
    p.scale(2, 2);
    p.drawText(10, 20, QStringLiteral("Big"));
  });
  for (const testing::ReadPicture* picture : read.Both()) {
    EXPECT_GE(picture->shapeRecords, 1);
    ASSERT_EQ(picture->texts.size(), 1);
    EXPECT_EQ(std::make_tuple(picture->texts[0].text, picture->texts[0].reference, picture->texts[0].font.height),
              std::make_tuple(QStringLiteral("Big"), QPoint(20, 40), -24));
  }
}

TEST_F(MetafileRecordsTest, ClipsApplyUntilChangedAndRestoreTheContextAfterwards) {
  const QColor before(1, 2, 3), inside(200, 100, 50), nested(9, 99, 199);
  const ReadBoth read = DrawBoth(QSize(100, 100), [&](QPainter& p) {
    p.fillRect(QRect(0, 0, 10, 10), before);
    p.setClipRect(QRect(20, 20, 30, 10));
    p.fillRect(QRect(0, 0, 100, 100), inside);
    p.setFont(testing::ArialPixels(12, 400));
    p.drawText(25, 28, QStringLiteral("x"));
    p.translate(30, 20);
    p.setClipRect(QRect(0, 0, 10, 5), Qt::IntersectClip);
    p.fillRect(QRect(-30, -20, 100, 100), nested);
    p.setClipping(false);
    p.resetTransform();
    // The context that held the clip is gone, and with it the brush
    // selected inside it: the writer must select this colour again.
    p.fillRect(QRect(60, 0, 10, 10), nested);
  });
  for (const testing::ReadPicture* picture : read.Both()) {
    ASSERT_EQ(std::make_tuple(picture->fills.size(), picture->texts.size()), std::make_tuple(4, 1));
    const auto& f = picture->fills;
    EXPECT_FALSE(f[0].clipped || f[3].clipped);
    EXPECT_TRUE(f[1].clipped && picture->texts[0].clipped);
    EXPECT_EQ(std::make_tuple(f[1].clip, f[1].colorRef, picture->texts[0].clip, f[2].clip, f[2].colorRef),
              std::make_tuple(QRect(20, 20, 30, 10), ColorRefOf(inside), QRect(20, 20, 30, 10), QRect(30, 20, 10, 5),
                              ColorRefOf(nested)));
    EXPECT_EQ(std::make_tuple(f[3].colorRef, f[3].rect, picture->objectsAliveAtEnd),
              std::make_tuple(ColorRefOf(nested), QRect(60, 0, 10, 10), 0));
  }
}

TEST_F(MetafileRecordsTest, AnEmptyPictureIsStillAWellFormedFile) {
  EmfPaintDevice emf(QSize(0, 0), QString());
  WmfPaintDevice wmf(QSize(0, 0));
  const ReadEmf e = testing::ReadEnhancedMetafile(emf.ToBytes());
  const ReadWmf w = testing::ReadPlaceableMetafile(wmf.ToBytes());
  EXPECT_EQ(std::make_tuple(e.bounds, e.frame),
            std::make_tuple(QRect(QPoint(0, 0), QPoint(-1, -1)), QRect(0, 0, 1, 1)));
  // The checksum is the XOR of the ten words before it.
  EXPECT_EQ(std::make_tuple(w.right, w.bottom, w.checksum, w.numberOfObjects), std::make_tuple(0, 0, 0x5771, 0));

  const QByteArray header = PlaceableMetafileHeader(QRect(QPoint(-3, 5), QPoint(1024, 32767)));
  const testing::ReadWmf read = testing::ReadPlaceableMetafile(header + QByteArray(18, '\0'));
  EXPECT_EQ(QRect(QPoint(read.left, read.top), QPoint(read.right, read.bottom)), QRect(QPoint(-3, 5), QPoint(1024, 32767)));
  EXPECT_EQ(read.checksum, read.checksumOfWords);
}

TEST_F(MetafileRecordsTest, WmfHeadersDescribeTheRecordsThatFollow) {
  testing::SamplePicture picture;
  WmfPaintDevice wmf(testing::SamplePicture::Size());
  PaintOn(wmf, [&](QPainter& p) { picture.Draw(p); });
  const QByteArray bytes = wmf.ToBytes();
  const ReadWmf w = testing::ReadPlaceableMetafile(bytes);
  ASSERT_TRUE(w.error.isEmpty()) << w.error.toStdString();
  const QSize size = testing::SamplePicture::Size();
  EXPECT_EQ(
      std::make_tuple(w.key, QRect(QPoint(w.left, w.top), QPoint(w.right, w.bottom)), w.unitsPerInch, w.checksum),
      std::make_tuple(0x9AC6CDD7u, QRect(QPoint(0, 0), QPoint(size.width(), size.height())), 96, w.checksumOfWords));
  EXPECT_EQ(std::make_tuple(w.headerType, w.headerSize, w.version, w.sizeWords * 2, w.maxRecordWords, w.windowExtent),
            std::make_tuple(1, 9, 0x0300, static_cast<uint32_t>(bytes.size() - 22), w.largestRecordWords, size));
  EXPECT_GE(w.numberOfObjects, w.mostObjectsAlive);
  uint64_t total = 22 + 18;
  for (const auto& record : w.records) total += record.size;
  EXPECT_EQ(total, static_cast<uint64_t>(bytes.size()));
}

TEST_F(MetafileRecordsTest, WmfTextIsWindows1252) {
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("Åäö € – ✓")), QByteArray("\xC5\xE4\xF6 \x80 \x96 ?"));
  EXPECT_EQ(ToWindows1252(QString(QChar(0x81))), QByteArray("?"));
  WmfPaintDevice wmf(QSize(200, 40));
  PaintOn(wmf, [](QPainter& p) {
    p.setFont(testing::ArialPixels(24, 400));
    p.drawText(2, 30, QString::fromUtf8("Nöjd – ja"));
  });
  const ReadWmf w = testing::ReadPlaceableMetafile(wmf.ToBytes());
  ASSERT_EQ(w.texts.size(), 1);
  EXPECT_EQ(w.texts[0].bytes, QByteArray("N\xF6jd \x96 ja"));
  EXPECT_EQ(w.texts[0].dx.size(), w.texts[0].bytes.size());
}

TEST_F(MetafileRecordsTest, SavingWritesTheBytesAndReportsFailures) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  testing::SamplePicture picture;
  EmfPaintDevice emf(testing::SamplePicture::Size(), QStringLiteral("P"));
  WmfPaintDevice wmf(testing::SamplePicture::Size());
  PaintOn(emf, [&](QPainter& p) { picture.Draw(p); });
  PaintOn(wmf, [&](QPainter& p) { picture.Draw(p); });

  auto readAll = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  const QString emfPath = dir.filePath(QStringLiteral("overview.emf"));
  const QString wmfPath = dir.filePath(QStringLiteral("wmf-picture.emf"));  // the name does not decide the format
  ASSERT_TRUE(emf.Save(emfPath).Ok());
  EXPECT_EQ(readAll(emfPath), emf.ToBytes());
  ASSERT_TRUE(wmf.Save(wmfPath).Ok());
  EXPECT_EQ(readAll(wmfPath), wmf.ToBytes());

  const MetafileSaveResult failed = emf.Save(dir.filePath(QStringLiteral("missing/overview.emf")));
  EXPECT_EQ(failed.error, MetafileError::WriteFailed);
  EXPECT_FALSE(failed.message.isEmpty());

  WmfPaintDevice huge(QSize(kWmfMaxSide + 1, 10));
  EXPECT_FALSE(WmfPaintDevice::CanHold(huge.Size()));
  EXPECT_TRUE(huge.ToBytes().isEmpty());
  const QString hugePath = dir.filePath(QStringLiteral("huge.wmf"));
  EXPECT_EQ(huge.Save(hugePath).error, MetafileError::TooLarge);
  EXPECT_FALSE(QFile::exists(hugePath));
  EXPECT_TRUE(WmfPaintDevice::CanHold(QSize(kWmfMaxSide, kWmfMaxSide)));
}

}  // namespace
}  // namespace kvf::platform
