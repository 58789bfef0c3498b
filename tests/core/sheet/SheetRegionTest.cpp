// The screen sheet painted region by region, as a window shows it, against
// the whole sheet image; a mini-overview snapshot against the session that
// moves on to another document.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

#include "core/document/KvfReader.h"
#include "core/session/DocumentSession.h"
#include "core/sheet/SheetSnapshot.h"
#include "core/sheet/SheetTestSupport.h"
#include "core/sheet/SheetView.h"
#include "kvfwriter/KvfWriter.h"

namespace kvf::testing {
namespace {

writer::KvfDescription Synthetic(int32_t respondents, int32_t questions, uint64_t seed) {
  return writer::MakeSyntheticDescription(
      {.respondents = respondents, .questions = questions, .compress = false, .seed = seed});
}

// A 300 x 200 window scrolled to (column, row): what RepaintSheet copies,
// from the state's regions and from the whole image.
void PaintWindow(const SheetState& state, const QImage& whole, int32_t column, int32_t row, QImage* shown,
                 QImage* copied) {
  SheetViewInput input;
  std::tie(input.clientWidth, input.clientHeight, input.verticalBarWidth, input.horizontalBarHeight) =
      std::tuple(300, 200, 17, 17);
  std::tie(input.sheetWidth, input.sheetHeight, input.headerRowCount) =
      std::tie(state.width, state.height, state.headerRowCount);
  SheetViewLayout layout = DesignSheetView(input);
  layout.horizontal.value = std::min(column, layout.horizontal.max);
  layout.vertical.value = std::min(row, layout.vertical.max);
  *shown = *copied = QImage(300, 200, QImage::Format_RGB32);
  shown->fill(Qt::gray);
  copied->fill(Qt::gray);
  QPainter region(shown);
  QPainter copy(copied);
  for (const SheetCopy& c : RepaintSheet(input, layout).copies) {
    state.PaintRegion(region, c.source, c.target);
    copy.drawImage(c.target, whole, c.source);
  }
}

TEST(SheetRegionTest, WindowsAndRegionsShowTheWholeImagesPixels) {
  EnsureGuiApplication();
  SurveyDocument base;
  ASSERT_TRUE(DecodeKvf(writer::WriteKvf(Synthetic(50, 44, 3)), base).ok());
  // A label wider than three cells reaches into its neighbours.
  base.strings[static_cast<size_t>(base.alternatives[base.questions[4].firstAlternative + 2].sheetLabel)] =
      QStringLiteral("Wide label text");
  // Bands: sub-blocks and blocks, blocks only, sub-blocks only, none.
  for (const int32_t bands : {3, 1, 2, 0}) {
    SurveyDocument document = base;
    for (Question& question : document.questions) {
      if ((bands & 1) == 0) question.primaryBlock = -1;
      if ((bands & 2) == 0) question.secondaryBlock = -1;
    }
    for (const int32_t order : {0, 1, 2}) {
      ViewState view;
      view.Reseed(11);
      view.SetUserRowOrder(order);
      view.StartDocument(document);
      ASSERT_TRUE(view.CreateSubSheet(document, SelectionMatrix::AllSelected(document)).ok());
      const SubSheet& sheet = view.Sheet();
      EXPECT_EQ(sheet.columnOffsetsActive, order == 2);
      Result<SheetDrawer> drawer = SheetDrawer::Create(document);
      ASSERT_TRUE(drawer.ok());
      const SheetRequest request{.rowLimit = sheet.rowLimit, .maxRows = 45};
      SheetState state;
      ASSERT_TRUE(DrawSheet(drawer.Value(), document, sheet, request, &state).ok());
      const Result<QImage> whole = DrawSheetImage(drawer.Value(), document, sheet, request);
      ASSERT_TRUE(whole.ok());
      ASSERT_EQ(whole->size(), state.Bounds().size());
      const auto where = [&](int32_t x, int32_t y) {
        return ::testing::Message() << "bands " << bands << ", row order " << order << ", at " << x << ", " << y;
      };
      const std::pair<int32_t, int32_t> scrolls[] = {{0, 0}, {1, 3}, {5, 17}, {19, 40}, {1000, 1000}};
      for (const auto& [column, row] : scrolls) {
        QImage shown, copied;
        PaintWindow(state, whole.Value(), column, row, &shown, &copied);
        EXPECT_TRUE(shown == copied) << where(column, row);
      }
      for (const QRect& cut : {QRect(37, 5, 111, 77), QRect(61, 29, 5, 300), QRect(600, 700, 100, 100)})
        EXPECT_TRUE(state.RegionPixels(cut) == whole->copy(cut.intersected(state.Bounds()))) << where(cut.x(), cut.y());
    }
  }
}

TEST(SheetRegionTest, AMiniOverviewSnapshotKeepsItsPixelsWhenAnotherDocumentOpens) {
  EnsureGuiApplication();
  QTemporaryDir dir;
  const QString first = dir.filePath(QStringLiteral("first.kvf"));
  const QString second = dir.filePath(QStringLiteral("second.kvf"));
  QString error;
  ASSERT_TRUE(writer::SaveKvf(Synthetic(40, 30, 5), first, &error)) << error.toStdString();
  ASSERT_TRUE(writer::SaveKvf(Synthetic(60, 24, 9), second, &error)) << error.toStdString();
  DocumentSession session;
  ASSERT_TRUE(session.LoadDocument(first, false).ok());
  const SheetRequest request{.mode = kSheetMiniOverview};
  const Result<std::shared_ptr<const SheetSnapshot>> taken =
      SheetSnapshot::Take(session.Document(), session.View().Sheet(), request);
  ASSERT_TRUE(taken.ok());
  const SheetState& picture = taken.Value()->Sheet();
  const QImage before = picture.RegionPixels(picture.Bounds());
  EXPECT_EQ(before.width(), 26 * 8);  // 30 questions, 4 of them background questions
  SheetDrawer drawer = SheetDrawer::Create(session.Document()).Value();
  EXPECT_TRUE(before == DrawSheetImage(drawer, session.Document(), session.View().Sheet(), request).Value());

  ASSERT_TRUE(session.LoadDocument(second, false).ok());
  EXPECT_TRUE(picture.RegionPixels(picture.Bounds()) == before);
}

}  // namespace
}  // namespace kvf::testing
