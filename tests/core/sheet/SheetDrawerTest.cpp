// The drawer cache and DrawSheet: brushes, label offsets, bands, group
// lines, answer cells, index rows and caption, checked in the pixels of the
// screen image and in the items a metafile records.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <functional>

#include "core/output/OverviewPicture.h"
#include "core/sheet/SheetDrawer.h"
#include "core/sheet/SheetTestSupport.h"
#include "platform/metafile/MetafilePaintDevice.h"

namespace kvf::testing {
namespace {

using platform::MetaFill;
using platform::MetaText;

constexpr QRgb kBlack = 0xFF000000;

// One pixel of the drawn sheet, read through the region call.
QRgb PixelAt(const SheetState& state, int x, int y) { return state.RegionPixels(QRect(x, y, 1, 1)).pixel(0, 0); }

class SheetDrawerTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }

  // A drawer for document, as the viewer makes one.
  void MakeDrawer(const SurveyDocument& document) {
    Result<SheetDrawer> made = SheetDrawer::Create(document);
    ASSERT_TRUE(made.ok());
    drawer = std::move(made).Value();
  }

  SheetState Screen(const SurveyDocument& document, const SubSheet& sheet, int32_t mode = kSheetScreen,
                    int32_t maxRows = 300) {
    MakeDrawer(document);
    const SheetRequest request{.mode = mode, .maxRows = maxRows};
    SheetState state;
    EXPECT_TRUE(DrawSheet(drawer, document, sheet, request, &state).ok());
    return state;
  }

  // The metafile picture (mode 2) as the EMF device records it.
  platform::MetafileDrawing Metafile(const SurveyDocument& document, const SubSheet& sheet, int32_t maxRows = 300,
                                     SheetGeometry* geometryOut = nullptr) {
    MakeDrawer(document);
    SheetRequest request;
    request.mode = kSheetEmfFile;
    request.maxRows = maxRows;
    const SheetFonts fonts(2);
    const SheetGeometry geometry = LayOutSheet(document, sheet, request, fonts);
    platform::EmfPaintDevice device(QSize(static_cast<int>(geometry.width), static_cast<int>(geometry.height)),
                                    QStringLiteral("Test"));
    QPainter painter(&device);
    EXPECT_TRUE(PaintSheet(painter, drawer, document, sheet, request, geometry, fonts));
    painter.end();
    if (geometryOut) *geometryOut = geometry;
    return device.Drawing();
  }

  SheetDrawer drawer;
};

template <typename Item>
std::vector<Item> Items(const platform::MetafileDrawing& drawing) {
  std::vector<Item> items;
  for (const auto& item : drawing.items)
    if (const auto* found = std::get_if<Item>(&item)) items.push_back(*found);
  return items;
}

// Texts whose box lies in the row starting at top (rows of 32 pixels).
std::vector<MetaText> TextsInRow(const platform::MetafileDrawing& drawing, int64_t top) {
  std::vector<MetaText> row;
  for (const MetaText& text : Items<MetaText>(drawing))
    if (text.box.top() >= top && text.box.top() < top + 32) row.push_back(text);
  return row;
}

// The texts at or below top, joined by spaces.
QString TextsFrom(const platform::MetafileDrawing& drawing, int64_t top) {
  QString joined;
  for (const MetaText& text : Items<MetaText>(drawing))
    if (text.box.top() >= top) joined += text.text + QLatin1Char(' ');
  return joined;
}

bool HasFill(const platform::MetafileDrawing& drawing, const std::function<bool(const MetaFill&)>& match) {
  const std::vector<MetaFill> fills = Items<MetaFill>(drawing);
  return std::any_of(fills.begin(), fills.end(), match);
}

// Four columns in blocks 4, 4, -1, 7; three respondents.
SurveyRecipe BandRecipe() {
  return SheetRecipe(
      {.primary = {4, 4, -1, 7}, .answers = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 0, 0}}, .blockCount = 8});
}

SurveyDocument BandSurvey() { return BandRecipe().Load(); }

// The screen image: bands switching at every change of block, group lines only
// at boundaries between columns, answer cells in the alternatives' colours with labels.
TEST_F(SheetDrawerTest, ScreenImageShowsBandsGroupLinesAndAnswerCells) {
  const SurveyDocument document = BandSurvey();
  const SheetState state = Screen(document, WholeSheet(document));
  ASSERT_TRUE(state.present);
  EXPECT_EQ(std::make_tuple(state.headerRowCount, state.shownRowCount, state.Bounds().size()),
            std::make_tuple(2, 3, QSize(64, (2 + 3) * 16)));
  // Blocks 4, 4, -1, 7: nothing over the third column (the selector switched back).
  const QRgb bands[] = {Rgb(kLevelColours[1]), Rgb(kLevelColours[1]), kBlack, Rgb(kLevelColours[1])};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(PixelAt(state, c * 16 + 2, 1), bands[c]) << c;
  for (const int y : {0, 20, 79}) {
    for (const int x : {31, 47}) EXPECT_EQ(PixelAt(state, x, y), Rgb(kGroupLineColour)) << x << "," << y;
    for (const int x : {0, 15, 63}) EXPECT_NE(PixelAt(state, x, y), Rgb(kGroupLineColour)) << x << "," << y;
  }
  const std::vector<std::vector<int32_t>> answers = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 0, 0}};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(PixelAt(state, c * 16 + 5, 16 + 1), Rgb(kQuestionColour));
    for (int r = 0; r < 3; ++r) {
      const QRgb fill = Rgb(kAlternativeColours[answers[static_cast<size_t>(c)][static_cast<size_t>(r)]]);
      const int top = (2 + r) * 16;
      EXPECT_EQ(PixelAt(state, c * 16 + 2, top + 1), fill) << c << "," << r;
      int ink = 0;  // pixels of the label
      for (int y = top + 2; y < top + 16; ++y)
        for (int x = c * 16 + 3; x < c * 16 + 13; ++x) ink += PixelAt(state, x, y) != fill ? 1 : 0;
      EXPECT_GT(ink, 5) << c << "," << r;
    }
  }
  SheetState off;
  ASSERT_TRUE(DrawSheet(drawer, document, WholeSheet(document), SheetRequest{.groupLines = false}, &off).ok());
  EXPECT_EQ(PixelAt(off, 31, 40), Rgb(kAlternativeColours[1]));
}

TEST_F(SheetDrawerTest, SubBlockBandsLieUnderTheBlockBandsWithTheirOwnColours) {
  const SurveyDocument document =
      SheetSurvey({.primary = {1, 1}, .secondary = {-1, 2}, .answers = {{0}, {0}}, .blockCount = 3});
  const SheetState state = Screen(document, WholeSheet(document));
  EXPECT_EQ(state.headerRowCount, 3);
  // The block band covers two rows where no sub-block band lies over it.
  EXPECT_EQ(PixelAt(state, 2, 1), Rgb(kLevelColours[1]));
  EXPECT_EQ(PixelAt(state, 2, 17), Rgb(kLevelColours[1]));
  EXPECT_EQ(PixelAt(state, 20, 17), Rgb(kLevelColours[3]));
  // The sub-block boundary's line starts below the top row.
  EXPECT_NE(PixelAt(state, 15, 1), Rgb(kGroupLineColour));
  EXPECT_EQ(PixelAt(state, 15, 17), Rgb(kGroupLineColour));
  EXPECT_EQ(PixelAt(state, 15, 50), Rgb(kGroupLineColour));
}

TEST_F(SheetDrawerTest, BandTextsAreShortenedToTheBandButNeverBelowTwoCharacters) {
  const SheetFonts fonts(1);
  const QFontMetrics& metrics = fonts.BoldMetrics();
  const QString name = QStringLiteral("Working environment");
  const QString shortened = ShortenBandText(name, 64, metrics);
  ASSERT_LT(shortened.size(), name.size());
  EXPECT_TRUE(name.startsWith(shortened));
  EXPECT_LT(metrics.horizontalAdvance(shortened), 64);
  EXPECT_GE(metrics.horizontalAdvance(name.left(shortened.size() + 1)), 64);
  EXPECT_EQ(ShortenBandText(name, 4, metrics), QStringLiteral("Wo"));
  const QString exact = QStringLiteral("Team");
  EXPECT_EQ(ShortenBandText(exact, metrics.horizontalAdvance(exact), metrics), exact);
}

TEST_F(SheetDrawerTest, RowsRotatedPerColumnShowEachColumnsOwnRespondent) {
  const SurveyDocument document = BandSurvey();
  SubSheet sheet = WholeSheet(document);
  sheet.columnOffsetsActive = true;
  sheet.columnOffsets = {1, 2, 0, 0};
  const SheetState state = Screen(document, sheet);
  // Column 0 row 0 shows respondent 1, column 1 row 0 respondent 2.
  EXPECT_EQ(PixelAt(state, 2, 33), Rgb(kAlternativeColours[1]));
  EXPECT_EQ(PixelAt(state, 18, 33), Rgb(kAlternativeColours[0]));
  EXPECT_EQ(PixelAt(state, 34, 33), Rgb(kAlternativeColours[2]));
}

TEST_F(SheetDrawerTest, AnAlternativeWithoutColourIsBlackOnScreenAndUnfilledInMetafiles) {
  SurveyRecipe recipe = BandRecipe();
  recipe.QuestionAt(1).alternatives[0].backColor = -1;
  const SurveyDocument document = recipe.Load();
  const SubSheet sheet = WholeSheet(document);
  // Question 1 answers 1, 2, 0: the uncoloured cell is row 2.
  const SheetState state = Screen(document, sheet);
  EXPECT_EQ(PixelAt(state, 16 + 1, 4 * 16 + 1), kBlack);
  EXPECT_EQ(PixelAt(state, 16 + 1, 3 * 16 + 1), Rgb(kAlternativeColours[2]));
  const platform::MetafileDrawing drawing = Metafile(document, sheet);
  const QRect cell(32, 4 * 32, 32, 32);
  // Only the group line (the last two pixels of the column before a new block) touches it.
  EXPECT_FALSE(
      HasFill(drawing, [&](const MetaFill& f) { return f.color != Rgb(kGroupLineColour) && f.rect.intersects(cell); }));
  const std::vector<MetaText> row = TextsInRow(drawing, cell.top());
  EXPECT_TRUE(std::any_of(row.begin(), row.end(),
                          [&](const MetaText& t) { return t.text == QStringLiteral("1") && cell.contains(t.origin); }));
}

TEST_F(SheetDrawerTest, MaxRowsLimitsTheAnswerRowsButIndexRowsCountEveryone) {
  std::vector<int32_t> answers(1000, 2);
  std::fill(answers.begin(), answers.begin() + 300, 0);
  SurveyRecipe recipe = SheetRecipe({.answers = {answers, answers}});
  recipe.Info().indexDivisor = 10;  // one decimal
  for (const int32_t q : {0, 1})
    for (TestAlternative& alternative : recipe.QuestionAt(q).alternatives) alternative.value *= 10;
  const SurveyDocument document = recipe.Load();
  const SubSheet sheet = WholeSheet(document);
  const SheetState state = Screen(document, sheet, kSheetScreen, 300);
  EXPECT_EQ(std::make_tuple(state.shownRowCount, state.height), std::make_tuple(300, (1 + 300) * 16));

  SheetGeometry geometry;
  const platform::MetafileDrawing drawing = Metafile(document, sheet, 300, &geometry);
  // (300 × 1 + 700 × 3) / 1000 = 2.4 over all respondents; the shown ones alone would give 1.0.
  const std::vector<MetaText> even = TextsInRow(drawing, geometry.IndexTop());
  const std::vector<MetaText> odd = TextsInRow(drawing, geometry.IndexTop() + 32);
  ASSERT_EQ(std::make_tuple(even.size(), odd.size()), std::make_tuple(size_t{1}, size_t{1}));
  EXPECT_EQ(std::make_tuple(even[0].text, odd[0].text), std::make_tuple(QStringLiteral("2.4"), QStringLiteral("2.4")));
  // Index texts stay inside the sheet.
  EXPECT_GE(even[0].origin.x(), 1);
  EXPECT_LE(odd[0].box.right(), geometry.width - 1);
  // The count line (wrapped on this narrow sheet) counts everyone too.
  const QString caption = TextsFrom(drawing, geometry.CaptionTop());
  EXPECT_TRUE(caption.contains(QLocale::system().toString(1000))) << caption.toStdString();
}

TEST_F(SheetDrawerTest, BlockIndexRowShowsPooledValuesOfBandsWiderThanOneColumn) {
  const SurveyDocument document = BandSurvey();
  SheetGeometry geometry;
  const platform::MetafileDrawing drawing = Metafile(document, WholeSheet(document), 300, &geometry);
  // Block 4: columns 0 and 1, answers 0,1,2 and 1,2,0 -> values 1..3, mean 2.
  const std::vector<MetaText> row = TextsInRow(drawing, geometry.IndexTop() + 64);
  ASSERT_EQ(row.size(), 1u);
  EXPECT_EQ(row[0].text, QStringLiteral("2"));
  EXPECT_LT(row[0].origin.x(), 64);
  const QRect band(96, static_cast<int>(geometry.IndexTop() + 64), 32, 32);
  EXPECT_TRUE(HasFill(drawing, [&](const MetaFill& f) { return f.rect == band && f.color == Rgb(kLevelColours[1]); }));
}

TEST_F(SheetDrawerTest, TheClipboardMetafileLeavesOutAnswerRowsForHeadersAndTotals) {
  const SurveyDocument document = BandSurvey();
  MakeDrawer(document);
  OverviewOptions options;
  const QByteArray overview = OverviewEmfBytes(drawer, document, WholeSheet(document), options);
  options.rowLimit = 0;
  const QByteArray headers = OverviewEmfBytes(drawer, document, WholeSheet(document), options);
  ASSERT_GT(std::min(headers.size(), overview.size()), 24);
  // EMR_HEADER bounds: (0, 0) to (width - 1, height - 1).
  auto bottom = [](const QByteArray& emf) { return qFromLittleEndian<qint32>(emf.constData() + 20); };
  EXPECT_EQ(qFromLittleEndian<qint32>(overview.constData() + 16), 4 * 32 - 1);
  EXPECT_EQ(bottom(overview) - bottom(headers), 3 * 32);
}

TEST_F(SheetDrawerTest, ASheetTooLargeForOneImageIsStillShownOnScreen) {
  const SurveyDocument document = BandSurvey();
  SubSheet sheet = WholeSheet(document);
  sheet.columns.assign(70000, 0);
  MakeDrawer(document);
  EXPECT_EQ(DrawSheetImage(drawer, document, sheet, SheetRequest{}).Error().Message().english,
            SheetTooLargeText().english);
  SheetState state;
  ASSERT_TRUE(DrawSheet(drawer, document, sheet, SheetRequest{}, &state).ok());
  EXPECT_EQ(state.width, 70000 * 16);
  EXPECT_EQ(PixelAt(state, 69999 * 16 + 1, 16 + 1), Rgb(kQuestionColour));  // the last question cell
  EXPECT_FALSE(DrawSheet(drawer, document, WholeSheet(document), SheetRequest{.mode = kSheetEmfFile}, &state).ok());
}

}  // namespace
}  // namespace kvf::testing
