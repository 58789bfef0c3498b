// The drawer cache and DrawSheet: brushes, label offsets, bands, group
// lines, answer cells, index rows and caption, checked in the pixels of the
// screen image and in the items a metafile records.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPainter>
#include <QtEndian>
#include <algorithm>

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
    SheetRequest request;
    request.mode = mode;
    request.maxRows = maxRows;
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

std::vector<MetaText> Texts(const platform::MetafileDrawing& drawing) {
  std::vector<MetaText> texts;
  for (const auto& item : drawing.items)
    if (const auto* text = std::get_if<MetaText>(&item)) texts.push_back(*text);
  return texts;
}

std::vector<MetaFill> Fills(const platform::MetafileDrawing& drawing) {
  std::vector<MetaFill> fills;
  for (const auto& item : drawing.items)
    if (const auto* fill = std::get_if<MetaFill>(&item)) fills.push_back(*fill);
  return fills;
}

// Texts whose box lies in the row starting at top (rows of 32 pixels).
std::vector<MetaText> TextsInRow(const platform::MetafileDrawing& drawing, int64_t top) {
  std::vector<MetaText> row;
  for (const MetaText& text : Texts(drawing))
    if (text.box.top() >= top && text.box.top() < top + 32) row.push_back(text);
  return row;
}

bool HasText(const platform::MetafileDrawing& drawing, const QString& value) {
  const std::vector<MetaText> texts = Texts(drawing);
  return std::any_of(texts.begin(), texts.end(), [&](const MetaText& t) { return t.text == value; });
}

// Four columns in blocks 4, 4, -1, 7; three respondents.
SurveyRecipe BandRecipe() {
  SheetColumns columns;
  columns.primary = {4, 4, -1, 7};
  columns.answers = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 0, 0}};
  columns.blockCount = 8;
  return SheetRecipe(columns);
}

SurveyDocument BandSurvey() { return BandRecipe().Load(); }

TEST_F(SheetDrawerTest, BrushCacheSharesEqualColoursAndGrowsByTwentySlots) {
  const SurveyDocument document = BandSurvey();
  MakeDrawer(document);
  // Caption, group lines, four band colours, questions, three alternatives.
  EXPECT_EQ(drawer.BrushCount(), 10);
  EXPECT_EQ(drawer.BrushCapacity(), 20);
  EXPECT_EQ(drawer.AlternativeBrush(0), drawer.AlternativeBrush(3));
  EXPECT_EQ(drawer.AlternativeBrush(1)->color(), QColor(Rgb(kAlternativeColours[1])));
  EXPECT_EQ(drawer.GetCachedBrush(kLevelColours[2]), drawer.GetCachedBrush(kLevelColours[2]));
  for (Colour colour = 1; drawer.BrushCount() < 20; ++colour) drawer.GetCachedBrush(colour);
  EXPECT_EQ(drawer.BrushCapacity(), 20);
  EXPECT_NE(drawer.GetCachedBrush(0x123456), 0);
  EXPECT_EQ(drawer.BrushCapacity(), 40);
  EXPECT_EQ(drawer.GetCachedBrush(-1), 0);
}

TEST_F(SheetDrawerTest, NoDrawerIsMadeForAColourNoBrushCanBeMadeOf) {
  SurveyRecipe recipe = BandRecipe();
  recipe.QuestionAt(1).alternatives[1].backColor = 0x01000000;
  EXPECT_FALSE(SheetDrawer::Create(recipe.Load()).ok());
}

TEST_F(SheetDrawerTest, LabelOffsetsCentreInTheScreenCellAndGoNegativeWhenWider) {
  SurveyRecipe recipe = BandRecipe();
  recipe.QuestionAt(0).alternatives[1].label = QStringLiteral("WWWW");
  recipe.QuestionAt(3).overview = false;
  const SurveyDocument document = recipe.Load();
  const SheetFonts fonts(1);
  drawer.CreateSheetTextCoordinates(document, fonts, 16);
  EXPECT_TRUE(drawer.OffsetsMeasured());
  EXPECT_EQ(drawer.AlternativeLabelOffset(0), (16 - fonts.NormalWidth(QStringLiteral("1"))) / 2);
  EXPECT_GT(drawer.AlternativeLabelOffset(0), 0);
  EXPECT_LT(drawer.AlternativeLabelOffset(1), 0);
  EXPECT_EQ(drawer.AlternativeLabelOffset(1), (16 - fonts.NormalWidth(QStringLiteral("WWWW"))) / 2);
  EXPECT_EQ(drawer.QuestionLabelOffset(0), (16 - fonts.BoldWidth(QStringLiteral("Q0"))) / 2);
  EXPECT_EQ(drawer.QuestionLabelOffset(3), 0);  // not an overview question
}

TEST_F(SheetDrawerTest, BandColoursSwitchAtEveryChangeOfBlock) {
  const SurveyDocument document = BandSurvey();
  const SheetState state = Screen(document, WholeSheet(document));
  ASSERT_TRUE(state.present);
  EXPECT_EQ(state.headerRowCount, 2);
  EXPECT_EQ(state.Bounds().size(), QSize(64, (2 + 3) * 16));
  // Blocks 4, 4, -1, 7: colour 2 over the first two columns, nothing over
  // the third (the selector switched back), colour 2 again over the fourth.
  EXPECT_EQ(PixelAt(state, 2, 1), Rgb(kLevelColours[1]));
  EXPECT_EQ(PixelAt(state, 18, 1), Rgb(kLevelColours[1]));
  EXPECT_EQ(PixelAt(state, 34, 1), kBlack);
  EXPECT_EQ(PixelAt(state, 50, 1), Rgb(kLevelColours[1]));
}

TEST_F(SheetDrawerTest, GroupLinesLieOnlyAtBoundariesBetweenColumnsAndOnlyWhenOn) {
  const SurveyDocument document = BandSurvey();
  const SheetState state = Screen(document, WholeSheet(document));
  for (const int y : {0, 20, 79}) {
    EXPECT_EQ(PixelAt(state, 31, y), Rgb(kGroupLineColour)) << y;
    EXPECT_EQ(PixelAt(state, 47, y), Rgb(kGroupLineColour)) << y;
    for (const int x : {0, 15, 63}) EXPECT_NE(PixelAt(state, x, y), Rgb(kGroupLineColour)) << x << "," << y;
  }
  SheetRequest request;
  request.groupLines = false;
  SheetState off;
  ASSERT_TRUE(DrawSheet(drawer, document, WholeSheet(document), request, &off).ok());
  EXPECT_EQ(PixelAt(off, 31, 40), Rgb(kAlternativeColours[1]));
}

TEST_F(SheetDrawerTest, SubBlockBandsLieUnderTheBlockBandsWithTheirOwnColours) {
  SheetColumns columns;
  columns.primary = {1, 1};
  columns.secondary = {-1, 2};
  columns.answers = {{0}, {0}};
  columns.blockCount = 3;
  const SurveyDocument document = SheetSurvey(columns);
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
  EXPECT_EQ(ShortenBandText(QStringLiteral("W"), 4, metrics), QStringLiteral("W"));
  EXPECT_EQ(ShortenBandText(QStringLiteral("Work"), 500, metrics), QStringLiteral("Work"));
  const QString exact = QStringLiteral("Team");
  EXPECT_EQ(ShortenBandText(exact, metrics.horizontalAdvance(exact), metrics), exact);
}

TEST_F(SheetDrawerTest, AnswerCellsCarryTheAlternativesColourAndLabel) {
  const SurveyDocument document = BandSurvey();
  const SubSheet sheet = WholeSheet(document);
  const SheetState state = Screen(document, sheet);
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
  EXPECT_EQ(state.shownRowCount, 3);
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

  SheetGeometry geometry;
  const platform::MetafileDrawing drawing = Metafile(document, sheet, 300, &geometry);
  const QRect cell(32, 4 * 32, 32, 32);
  // Only the group line (the last two pixels of the column before a new block) touches it.
  for (const MetaFill& fill : Fills(drawing)) {
    if (fill.color == Rgb(kGroupLineColour)) continue;
    EXPECT_FALSE(fill.rect.intersects(cell)) << fill.rect.x() << "," << fill.rect.y();
  }
  bool labelled = false;
  for (const MetaText& text : TextsInRow(drawing, cell.top()))
    labelled = labelled || (text.text == QStringLiteral("1") && cell.contains(text.origin));
  EXPECT_TRUE(labelled);
}

TEST_F(SheetDrawerTest, TheMiniOverviewHasSmallCellsAndNoTexts) {
  SheetColumns columns;
  columns.answers = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 0, 0}};
  const SurveyDocument document = SheetSurvey(columns);
  const SheetState state = Screen(document, WholeSheet(document), kSheetMiniOverview);
  ASSERT_EQ(state.Bounds().size(), QSize(4 * 8, 4 * 8));
  for (int c = 0; c < 4; ++c) {
    for (int row = 0; row < 4; ++row) {
      const QRgb corner = PixelAt(state, c * 8, row * 8);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelAt(state, c * 8 + x, row * 8 + y), corner) << c << "," << row;
    }
  }
}

TEST_F(SheetDrawerTest, MaxRowsLimitsTheAnswerRowsButIndexRowsCountEveryone) {
  SheetColumns columns;
  std::vector<int32_t> answers(1000, 2);
  std::fill(answers.begin(), answers.begin() + 300, 0);
  columns.answers = {answers, answers};
  SurveyRecipe recipe = SheetRecipe(columns);
  recipe.Info().indexDivisor = 10;  // one decimal
  for (const int32_t q : {0, 1})
    for (TestAlternative& alternative : recipe.QuestionAt(q).alternatives) alternative.value *= 10;
  const SurveyDocument document = recipe.Load();
  const SubSheet sheet = WholeSheet(document);
  const SheetState state = Screen(document, sheet, kSheetScreen, 300);
  EXPECT_EQ(state.shownRowCount, 300);
  EXPECT_EQ(state.height, (1 + 300) * 16);

  SheetGeometry geometry;
  const platform::MetafileDrawing drawing = Metafile(document, sheet, 300, &geometry);
  // (300 × 1 + 700 × 3) / 1000 = 2.4 over all respondents; the shown ones alone would give 1.0.
  const std::vector<MetaText> even = TextsInRow(drawing, geometry.IndexTop());
  const std::vector<MetaText> odd = TextsInRow(drawing, geometry.IndexTop() + 32);
  ASSERT_EQ(even.size(), 1u);
  ASSERT_EQ(odd.size(), 1u);
  EXPECT_EQ(even[0].text, QStringLiteral("2.4"));
  EXPECT_EQ(odd[0].text, QStringLiteral("2.4"));
  // Index texts stay inside the sheet.
  EXPECT_GE(even[0].origin.x(), 1);
  EXPECT_LE(odd[0].box.right(), geometry.width - 1);
  // The count line (wrapped on this narrow sheet) counts everyone too.
  QString caption;
  for (const MetaText& text : Texts(drawing))
    if (text.box.top() >= geometry.CaptionTop()) caption += text.text + QLatin1Char(' ');
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
  bool bandFilled = false;
  for (const MetaFill& fill : Fills(drawing))
    bandFilled = bandFilled || (fill.rect == QRect(96, static_cast<int>(geometry.IndexTop() + 64), 32, 32) &&
                                fill.color == Rgb(kLevelColours[1]));
  EXPECT_TRUE(bandFilled);
}

TEST_F(SheetDrawerTest, TheCaptionBlockIsFilledAndCarriesItsLines) {
  const SurveyDocument document = BandSurvey();
  SheetGeometry geometry;
  SubSheet sheet = WholeSheet(document);
  sheet.description = QStringLiteral("Region: North");
  const platform::MetafileDrawing drawing = Metafile(document, sheet, 300, &geometry);
  EXPECT_EQ(geometry.height, (2 + 3 + 3) * 32 + geometry.caption.TextRows() * 32 + geometry.caption.ExtraHeight());
  bool filled = false;
  for (const MetaFill& fill : Fills(drawing))
    filled = filled || (fill.rect.top() == geometry.CaptionTop() && fill.rect.width() == 128 &&
                        fill.color == Rgb(kCaptionColour));
  EXPECT_TRUE(filled);
  EXPECT_TRUE(HasText(drawing, QStringLiteral("Count: 3")));
  // "Selection: Region: North" is wider than the 128-pixel sheet: wrapped into lines.
  const std::vector<MetaText> below = TextsInRow(drawing, geometry.CaptionTop() + 64);
  EXPECT_FALSE(below.empty());
  QString joined;
  for (const MetaText& text : Texts(drawing))
    if (text.box.top() >= geometry.CaptionTop()) joined += text.text;
  EXPECT_TRUE(joined.contains(QStringLiteral("Region:")));
}

TEST_F(SheetDrawerTest, TheClipboardMetafileLeavesOutAnswerRowsForHeadersAndTotals) {
  const SurveyDocument document = BandSurvey();
  MakeDrawer(document);
  OverviewOptions options;
  const QByteArray overview = OverviewEmfBytes(drawer, document, WholeSheet(document), options);
  options.rowLimit = 0;
  const QByteArray headers = OverviewEmfBytes(drawer, document, WholeSheet(document), options);
  ASSERT_GT(headers.size(), 24);
  ASSERT_GT(overview.size(), 24);
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
  SheetRequest metafile;
  metafile.mode = kSheetEmfFile;
  EXPECT_FALSE(DrawSheet(drawer, document, WholeSheet(document), metafile, &state).ok());
}

}  // namespace
}  // namespace kvf::testing
