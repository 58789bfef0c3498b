// Record-level checks of the EMF and WMF paint devices, read back with the
// tests' own metafile reader.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <QImage>

#include <array>
#include <cmath>
#include <numeric>
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

uint32_t ColorRefOf(const QColor& c) { return qRgb(c.blue(), c.green(), c.red()) & 0x00FFFFFFu; }

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
  PaintOn(emf, paint), PaintOn(wmf, paint);
  ReadBoth read{testing::ReadEnhancedMetafile(emf.ToBytes()), testing::ReadPlaceableMetafile(wmf.ToBytes())};
  EXPECT_EQ(read.emf.error + read.wmf.error, QString());
  return read;
}

TEST_F(MetafileRecordsTest, EmfHeaderCarriesBoundsFrameReferenceAndDescription) {
  EmfPaintDevice emf(QSize(200, 100), QStringLiteral("Enkät 2026"));
  PaintOn(emf, [](QPainter& p) { p.fillRect(QRect(0, 0, 200, 100), Qt::red); });
  const QByteArray bytes = emf.ToBytes();
  const ReadEmf read = testing::ReadEnhancedMetafile(bytes);
  ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
  // (The reader checks that the records fill the file and that handles fit the table.)
  EXPECT_EQ(std::make_tuple(read.signature, read.bytes, read.recordCount, read.records.first().type),
            std::make_tuple(0x464D4520u, static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(read.records.size()), 1u));
  // 96 dpi: 200 px = 200 / 96 inch = 52.9167 mm; 100 px = 26.4583 mm.
  EXPECT_EQ(std::make_tuple(read.bounds, read.frame, read.devicePixels, read.deviceMillimetres, read.micrometres),
            std::make_tuple(QRect(QPoint(0, 0), QPoint(199, 99)), QRect(QPoint(0, 0), QPoint(5292, 2646)),
                            QSize(1920, 1440), QSize(508, 381), QSize(508000, 381000)));
  EXPECT_EQ(read.description, QString::fromUtf8("KVF Viewer") + QChar(0) + QString::fromUtf8("Enkät 2026") + QChar(0));
}

TEST_F(MetafileRecordsTest, EmfFrameAndResolutionFollowTheReferenceDevice) {
  EmfPaintDevice laptop(QSize(333, 77), QString(), MetafileReference{.pixels = {1366, 768}, .millimetres = {344, 194}});
  const ReadEmf oddRead = testing::ReadEnhancedMetafile(laptop.ToBytes());
  // 344 × 333 × 100 / 1366 = 8386.0; 194 × 77 × 100 / 768 = 1945.05. Text is laid out at the logical
  // resolution; the physical one is the screen's own (1366 px on 344 mm: 100.9 dpi).
  EXPECT_EQ(std::make_tuple(oddRead.frame.bottomRight(), oddRead.devicePixels, laptop.logicalDpiX(), laptop.physicalDpiX()),
            std::make_tuple(QPoint(8386, 1945), QSize(1366, 768), 96, 101));

}

TEST_F(MetafileRecordsTest, FillsCoverExactlyTheirRectangles) {
  const QColor first(10, 120, 250), second(200, 30, 40);
  const ReadBoth read = DrawBoth(QSize(100, 100), [&](QPainter& p) {
    p.fillRect(QRect(10, 20, 32, 32), first);
    p.translate(5, 7);
    p.fillRect(QRectF(0.0, 0.0, 16.0, 8.0), second);
    p.fillRect(QRect(0, 0, 50, 50), QColor(0, 0, 0, 0));  // transparent: nothing
    p.resetTransform();
    p.scale(2, 2);
    p.fillRect(QRect(30, 1, 3, 4), first);
  });
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
  const QFont font = testing::ArialPixels(24, 700);
  const QString text = QStringLiteral("Wavy Text AV");
  const QColor ink(0, 0, 128);
  const ReadBoth read = DrawBoth(QSize(300, 40), [&](QPainter& p) {
    p.setFont(font);
    p.setPen(ink);
    p.drawText(7, 30, text);
  });
  const ReadEmf& e = read.emf;
  const ReadWmf& w = read.wmf;
  ASSERT_EQ(std::make_tuple(e.texts.size(), w.texts.size(), e.fontsCreated.size(), w.fontsCreated.size()),
            std::make_tuple(1, 1, 1, 1));
  const int width = static_cast<int>(std::lround(QFontMetricsF(font).horizontalAdvance(text)));
  for (const testing::ReadText& run : {e.texts[0], w.texts[0]}) {
    // On the baseline (align 24), transparent (mode 1).
    EXPECT_EQ(std::make_tuple(run.text, run.reference, run.textAlign & 24, run.backgroundMode, run.colorRef),
              std::make_tuple(text, QPoint(7, 30), 24, 1, ColorRefOf(ink)));
    EXPECT_EQ(std::make_tuple(run.font.face, run.font.height, run.font.weight, run.font.charset),
              std::make_tuple(QStringLiteral("Arial"), -24, 700, 1));
    ASSERT_EQ(run.dx.size(), text.size());
    EXPECT_GE(*std::min_element(run.dx.begin(), run.dx.end()), 0);
    EXPECT_NEAR(std::accumulate(run.dx.begin(), run.dx.end(), 0), width, 1);
  }
  EXPECT_EQ(e.texts[0].dx, w.texts[0].dx);
}

TEST_F(MetafileRecordsTest, ManyColoursReuseObjectSlotsAndKeepEveryFillRight) {
  const int colours = 300;
  // Back to early colours at the end, which may have been deleted meanwhile.
  const ReadBoth read = DrawBoth(QSize(200, 160), [&](QPainter& p) {
    for (int i = 0; i < colours + 20; ++i)
      p.fillRect(QRect((i % 20) * 10, (i / 20) * 10, 10, 10), QColor::fromHsv(i % colours, 200, 220));
  });
  QVector<uint32_t> expected;
  for (int i = 0; i < colours + 20; ++i) expected.append(ColorRefOf(QColor::fromHsv(i % colours, 200, 220)));
  for (const testing::ReadPicture* picture : read.Both()) {
    QVector<uint32_t> colorRefs;
    for (const testing::ReadFill& fill : picture->fills) colorRefs.append(fill.colorRef);
    EXPECT_EQ(colorRefs, expected);
    EXPECT_EQ(picture->objectsAliveAtEnd, 0);
    const std::set<int> slots(picture->createdSlots.begin(), picture->createdSlots.end());
    EXPECT_LT(slots.size(), static_cast<size_t>(picture->createdSlots.size()));
  }
  // Slots are reused rather than growing with every colour.
  EXPECT_EQ(std::make_tuple(read.emf.handles < colours, read.wmf.numberOfObjects < colours,
                            read.wmf.numberOfObjects >= read.wmf.mostObjectsAlive),
            std::make_tuple(true, true, true));
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
  const ReadEmf e = testing::ReadEnhancedMetafile(EmfPaintDevice(QSize(0, 0), QString()).ToBytes());
  const ReadWmf w = testing::ReadPlaceableMetafile(WmfPaintDevice(QSize(0, 0)).ToBytes());
  // The WMF checksum is the XOR of the ten words before it.
  EXPECT_EQ(std::make_tuple(e.bounds, e.frame, w.right, w.bottom, w.checksum, w.numberOfObjects),
            std::make_tuple(QRect(QPoint(0, 0), QPoint(-1, -1)), QRect(0, 0, 1, 1), 0, 0, 0x5771, 0));
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

  const QRect extreme(QPoint(-3, 5), QPoint(1024, 32767));
  const ReadWmf read = testing::ReadPlaceableMetafile(PlaceableMetafileHeader(extreme) + QByteArray(18, '\0'));
  EXPECT_EQ(std::make_tuple(QRect(QPoint(read.left, read.top), QPoint(read.right, read.bottom)), read.checksum),
            std::make_tuple(extreme, read.checksumOfWords));
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
  EXPECT_EQ(std::make_tuple(w.texts[0].bytes, w.texts[0].dx.size()), std::make_tuple(QByteArray("N\xF6jd \x96 ja"), 9));
}

// (Writing files and their failures are checked where pictures are saved.)
TEST_F(MetafileRecordsTest, AWmfHoldsSidesUpToItsLimit) {
  WmfPaintDevice huge(QSize(kWmfMaxSide + 1, 10));
  EXPECT_EQ(huge.Save("huge.wmf").error, MetafileError::TooLarge);
  EXPECT_EQ(std::make_tuple(WmfPaintDevice::CanHold(huge.Size()), huge.ToBytes().isEmpty(), QFile::exists("huge.wmf"),
                            WmfPaintDevice::CanHold(QSize(kWmfMaxSide, kWmfMaxSide))),
            std::make_tuple(false, true, false, true));
}

}  // namespace
}  // namespace kvf::platform
