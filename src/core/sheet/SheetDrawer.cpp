#include "core/sheet/SheetDrawer.h"

#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <tuple>

#include "core/indexes/IndexCalculation.h"

namespace kvf {

namespace {

constexpr int32_t kBrushSlotsStep = 20;

bool BrushableColour(Colour colour) { return colour >= 0 && colour <= 0xFFFFFF; }

template <typename T>
T At(const std::vector<T>& values, int32_t index, T fallback) {
  if (index < 0 || static_cast<size_t>(index) >= values.size()) return fallback;
  return values[static_cast<size_t>(index)];
}

QStaticText PreparedText(const QString& text, const QFont& font) {
  QStaticText prepared(text);
  prepared.setTextFormat(Qt::PlainText);
  prepared.prepare(QTransform(), font);
  return prepared;
}

// Draws short texts whose top-left corner is given. On raster images each
// distinct text is laid out once (QStaticText) and reused for every cell;
// vector targets get plain text runs.
using PreparedTexts = std::vector<std::optional<QStaticText>>;

class LabelWriter {
 public:
  // kept: prepared texts to reuse and add to (nullptr: this writer's own).
  LabelWriter(QPainter& painter, const QFont& font, int32_t ascent, size_t keys, PreparedTexts* kept = nullptr)
      : painter_(painter), font_(font), ascent_(ascent), texts_(kept ? *kept : own_) {
    const QPaintDevice* device = painter.device();
    cached_ = device && device->devType() == QInternal::Image;
    if (cached_ && texts_.size() < keys) texts_.resize(keys);
  }

  // key identifies the text (its position in the document's strings).
  void Draw(size_t key, const QString& text, int64_t x, int64_t y) {
    if (text.isEmpty()) return;
    if (cached_ && key < texts_.size()) {
      std::optional<QStaticText>& prepared = texts_[key];
      if (!prepared) prepared.emplace(PreparedText(text, font_));
      painter_.drawStaticText(QPoint(static_cast<int>(x), static_cast<int>(y)), *prepared);
      return;
    }
    painter_.drawText(QPoint(static_cast<int>(x), static_cast<int>(y + ascent_)), text);
  }

 private:
  QPainter& painter_;
  QFont font_;
  int32_t ascent_;
  bool cached_ = false;
  PreparedTexts own_;
  PreparedTexts& texts_;
};

// Stamps made for one kind of target (format, render hints, pen).
struct StampStore {
  QImage::Format format = QImage::Format_Invalid;
  QPainter::RenderHints hints;
  QColor pen;
  std::vector<int32_t> stampOf;  // per alternative: a stamp, or kNoStamp / kStampUnknown
  std::vector<std::tuple<QRgb, QString, int64_t>> keys;  // fill colour, label, offset
  std::vector<QImage> images;
};
constexpr int32_t kStampUnknown = -2;
constexpr int32_t kNoStamp = -1;

// Answer cells drawn as stamps made once per drawing. A cell with a brush
// whose label's pixels stay inside it looks the same wherever it stands:
// its fill covers whatever lay below, its text reaches nothing outside. Its
// fill and text are drawn once into a cell-sized image of the target's
// format and copied to every such cell; other cells are left to the
// caller. Only for raster images drawn at whole-pixel offsets.
class CellStamps {
 public:
  // kept: stamps to reuse and add to (nullptr: this drawing's own);
  // alternatives 0 turns stamping off.
  CellStamps(QPainter& painter, const SheetFonts& fonts, int64_t cellSize, int64_t textTop, size_t alternatives,
             StampStore* kept)
      : painter_(painter), fonts_(fonts), cell_(static_cast<int>(cellSize)), textTop_(static_cast<int>(textTop)),
        store_(kept ? *kept : own_) {
    const QPaintDevice* device = painter.device();
    const QTransform transform = painter.deviceTransform();
    on_ = alternatives > 0 && device && device->devType() == QInternal::Image &&
          transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx()) &&
          transform.dy() == std::floor(transform.dy());
    if (!on_) return;
    const QImage::Format format = static_cast<const QImage*>(device)->format();
    if (store_.format != format || store_.hints != painter.renderHints() || store_.pen != painter.pen().color())
      store_ = StampStore{format, painter.renderHints(), painter.pen().color(), {}, {}, {}};
    if (store_.stampOf.size() < alternatives) store_.stampOf.resize(alternatives, kStampUnknown);
  }

  // Draws the cell of alternative at (x, y) when it can be stamped.
  bool Draw(int32_t alternative, const QBrush* brush, const QString& text, int64_t offset, int64_t x, int64_t y) {
    if (!on_ || brush == nullptr || alternative < 0 || static_cast<size_t>(alternative) >= store_.stampOf.size())
      return false;
    int32_t& stamp = store_.stampOf[static_cast<size_t>(alternative)];
    if (stamp == kStampUnknown) stamp = Make(brush, text, offset);
    if (stamp == kNoStamp) return false;
    painter_.drawImage(QPoint(static_cast<int>(x), static_cast<int>(y)), store_.images[static_cast<size_t>(stamp)]);
    return true;
  }

 private:
  int32_t Make(const QBrush* brush, const QString& text, int64_t offset) {
    const auto key = std::make_tuple(brush->color().rgba(), text, offset);
    for (size_t i = 0; i < store_.keys.size(); ++i)
      if (store_.keys[i] == key) return static_cast<int32_t>(i);
    const QRect ink = fonts_.NormalMetrics()
                          .boundingRect(text)
                          .translated(static_cast<int>(offset), textTop_ + fonts_.NormalMetrics().ascent())
                          .adjusted(-1, -1, 1, 1);
    if (!text.isEmpty() && !QRect(0, 0, cell_, cell_).contains(ink)) return kNoStamp;
    QImage image(cell_, cell_, store_.format);
    if (image.isNull()) return kNoStamp;
    QPainter painter(&image);
    painter.setRenderHints(painter_.renderHints());
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(painter_.pen());
    painter.setFont(fonts_.Normal());
    painter.fillRect(QRect(0, 0, cell_, cell_), *brush);
    if (!text.isEmpty())
      painter.drawStaticText(QPoint(static_cast<int>(offset), textTop_), PreparedText(text, fonts_.Normal()));
    painter.end();
    store_.keys.push_back(key);
    store_.images.push_back(std::move(image));
    return static_cast<int32_t>(store_.images.size() - 1);
  }

  QPainter& painter_;
  const SheetFonts& fonts_;
  const int cell_;
  const int textTop_;
  StampStore own_;
  StampStore& store_;
  bool on_ = false;
};

}  // namespace

struct SheetPaintReuse {
  PreparedTexts bold;    // by string
  PreparedTexts normal;  // by string
  StampStore stamps;
};

namespace {

void DrawTextAt(QPainter& painter, const QFontMetrics& metrics, const QString& text, int64_t x, int64_t y) {
  if (text.isEmpty()) return;
  painter.drawText(QPoint(static_cast<int>(x), static_cast<int>(y + metrics.ascent())), text);
}

void Fill(QPainter& painter, const QBrush* brush, int64_t x, int64_t y, int64_t width, int64_t height) {
  if (!brush || width <= 0 || height <= 0) return;
  painter.fillRect(QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)),
                   *brush);
}

// One band of a block row: columns [first, last] with the same block.
struct Band {
  int32_t first = 0;
  int32_t last = 0;
  int32_t block = -1;
  int32_t colour = 0;  // 0: the level's first colour, 1: its second
};

// Walks the columns' blocks (primary or secondary): the selector switches
// at every change of block number (the first column counts as a change
// unless it has no block); bands are the runs with a block. changes
// receives the left x of every run starting at a change and the right
// edge of a band ending at the last column.
std::vector<Band> WalkBands(const SurveyDocument& document, const std::vector<int32_t>& columns, bool primary,
                            int32_t cellSize, std::vector<int64_t>* changes) {
  std::vector<Band> bands;
  int32_t selector = 0;  // 0: the level's first colour
  int32_t previous = -1;
  const int32_t count = static_cast<int32_t>(columns.size());
  for (int32_t c = 0; c < count; ++c) {
    const Question* question = document.QuestionAt(columns[static_cast<size_t>(c)]);
    const int32_t block = question ? (primary ? question->primaryBlock : question->secondaryBlock) : -1;
    const bool change = block != previous;
    if (change) {
      selector ^= 1;
      if (changes) changes->push_back(static_cast<int64_t>(c) * cellSize);
      if (block != -1) bands.push_back({c, c, block, selector});
    } else if (block != -1) {
      bands.back().last = c;
    }
    previous = block;
  }
  if (changes && !bands.empty() && bands.back().last == count - 1)
    changes->push_back(static_cast<int64_t>(count) * cellSize);
  return bands;
}

// The counted answers of each column of the sheet, by column position.
std::vector<IndexSum> SumColumns(const SurveyDocument& document, const SubSheet& sheet) {
  std::vector<IndexSum> sums;
  sums.reserve(sheet.columns.size());
  for (const int32_t q : sheet.columns) sums.push_back(SumCountedAnswers(document, {q}, sheet.respondents));
  return sums;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The part of the sheet one drawing covers: everything, or what can reach
// an area. A cell's text reaches at most the widest label beyond its cell
// (a band's text less than a cell beyond its band); a text row reaches less
// than a row above or below its own.
class SheetReach {
 public:
  SheetReach() = default;
  SheetReach(const QRect& area, int64_t horizontal, int64_t vertical)
      : whole_(false),
        left_(int64_t{area.left()} - horizontal),
        right_(int64_t{area.left()} + area.width() + horizontal),
        top_(int64_t{area.top()} - vertical),
        bottom_(int64_t{area.top()} + area.height() + vertical) {}

  bool Whole() const { return whole_; }
  bool Spans(int64_t left, int64_t right) const { return whole_ || (left < right_ && right > left_); }
  bool Rows(int64_t top, int64_t bottom) const { return whole_ || (top < bottom_ && bottom > top_); }
  // The first and one past the last of count cells size wide (offset
  // before the first) that can reach the area.
  int32_t FirstColumn(int64_t size, int32_t count) const { return whole_ ? 0 : Clamp(FloorDiv(left_, size), count); }
  int32_t EndColumn(int64_t size, int32_t count) const {
    return whole_ ? count : Clamp(FloorDiv(right_ + size - 1, size), count);
  }
  int32_t FirstRow(int64_t size, int64_t offset, int32_t count) const {
    return whole_ ? 0 : Clamp(FloorDiv(top_, size) - offset, count);
  }
  int32_t EndRow(int64_t size, int64_t offset, int32_t count) const {
    return whole_ ? count : Clamp(FloorDiv(bottom_ + size - 1, size) - offset, count);
  }

 private:
  static int32_t Clamp(int64_t value, int32_t count) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, count));
  }
  bool whole_ = true;
  int64_t left_ = 0;
  int64_t right_ = 0;
  int64_t top_ = 0;
  int64_t bottom_ = 0;
};

class SheetPainter {
 public:
  SheetPainter(QPainter& painter, const SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
               const SheetRequest& request, const SheetGeometry& geometry, const SheetFonts& fonts,
               SheetReach reach = SheetReach(), SheetPaintReuse* reuse = nullptr)
      : p_(painter), drawer_(drawer), doc_(document), sheet_(sheet), request_(request), g_(geometry),
        fonts_(fonts), c_(geometry.cellSize), s_(geometry.scale), texts_(SheetDrawsTexts(geometry.mode)),
        reach_(reach), reuse_(reuse) {}

  void Paint() {
    p_.setBackgroundMode(Qt::TransparentMode);
    p_.setPen(Qt::black);
    HeaderRows();
    AnswerRows();
    GroupLines();
    if (IsMetafileMode(g_.mode)) {
      if (doc_.info.HasIndexes()) {
        QuestionIndexRows();
        if (g_.levels.hasBlocks) BlockIndexRow();
      }
      Caption();
    }
  }

 private:
  int64_t TextY(int64_t rowTop) const { return rowTop + 2 * s_; }
  int32_t ColumnCount() const { return g_.columnCount; }
  int32_t Column(int32_t c) const { return sheet_.columns[static_cast<size_t>(c)]; }

  void BandRow(bool primary, int32_t row, int32_t rowsHigh, int32_t colourA, int32_t colourB,
               std::vector<int64_t>* lines, const std::vector<int64_t>* already) {
    std::vector<int64_t> changes;
    const std::vector<Band> bands = WalkBands(doc_, sheet_.columns, primary, c_, &changes);
    if (request_.groupLines && lines) {
      // Lines already drawn by the row above are not drawn again; a sorted
      // copy keeps this n log n however many bands the sheet has.
      std::vector<int64_t> drawn = already ? *already : std::vector<int64_t>();
      std::sort(drawn.begin(), drawn.end());
      for (const int64_t x : changes)
        if (!std::binary_search(drawn.begin(), drawn.end(), x)) lines->push_back(x);
    }
    const int64_t top = static_cast<int64_t>(row) * c_;
    if (!reach_.Rows(top, top + static_cast<int64_t>(rowsHigh) * c_)) return;
    p_.setFont(fonts_.Bold());
    for (const Band& band : bands) {
      const int64_t left = static_cast<int64_t>(band.first) * c_;
      const int64_t width = static_cast<int64_t>(band.last - band.first + 1) * c_;
      if (!reach_.Spans(left - c_, left + width + c_)) continue;
      const Colour colour = doc_.info.levelColors[static_cast<size_t>(band.colour == 0 ? colourA : colourB)];
      Fill(p_, drawer_.ColourBrush(colour), left, top, width, static_cast<int64_t>(rowsHigh) * c_);
      if (!texts_) continue;
      const int32_t bandWidth = static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX));
      const QString text = ShortenBandText(doc_.BlockName(band.block), bandWidth, fonts_.BoldMetrics());
      const int32_t textWidth = fonts_.BoldWidth(text);
      DrawTextAt(p_, fonts_.BoldMetrics(), text, left + (bandWidth - textWidth) / 2, TextY(top));
    }
  }

  void HeaderRows() {
    const int32_t h = g_.headerRowCount;
    if (h >= 2) {
      if (g_.levels.hasBlocks) {
        BandRow(true, 0, h == 3 ? 2 : 1, 0, 1, &firstLines_, nullptr);
      } else {
        // Only secondary blocks: the top header row shows their bands.
        BandRow(false, 0, 1, 2, 3, &firstLines_, nullptr);
      }
    }
    if (h == 3) BandRow(false, 1, 1, 2, 3, &secondLines_, &firstLines_);

    const int64_t top = static_cast<int64_t>(h - 1) * c_;
    if (!reach_.Rows(top, top + c_)) return;
    p_.setFont(fonts_.Bold());
    LabelWriter labels(p_, fonts_.Bold(), fonts_.BoldMetrics().ascent(), doc_.strings.size(),
                       reuse_ ? &reuse_->bold : nullptr);
    const int32_t end = reach_.EndColumn(c_, ColumnCount());
    for (int32_t c = reach_.FirstColumn(c_, ColumnCount()); c < end; ++c) {
      const int32_t q = Column(c);
      const Question* question = doc_.QuestionAt(q);
      if (!question || !question->isOverviewQuestion) continue;
      const int64_t left = static_cast<int64_t>(c) * c_;
      Fill(p_, drawer_.QuestionBrush(q), left, top, c_, c_);
      if (texts_)
        labels.Draw(static_cast<size_t>(question->sheetLabel), doc_.GetText(question->sheetLabel),
                    left + static_cast<int64_t>(drawer_.QuestionLabelOffset(q)) * s_, TextY(top));
    }
  }

  void AnswerRows() {
    if (g_.shownRowCount <= 0 || ColumnCount() <= 0) return;
    p_.setFont(fonts_.Normal());
    LabelWriter labels(p_, fonts_.Normal(), fonts_.NormalMetrics().ascent(), doc_.strings.size(),
                       reuse_ ? &reuse_->normal : nullptr);
    // The whole drawing draws every cell itself; a drawing of an area may
    // stamp them (the whole drawing is what stamps must match).
    CellStamps stamps(p_, fonts_, c_, TextY(0), reach_.Whole() || !texts_ ? 0 : doc_.alternatives.size(),
                      reuse_ ? &reuse_->stamps : nullptr);
    const int32_t respondentCount = doc_.RespondentCount();
    const int32_t firstColumn = reach_.FirstColumn(c_, ColumnCount());
    const int32_t endColumn = reach_.EndColumn(c_, ColumnCount());
    const int32_t endRow = reach_.EndRow(c_, g_.headerRowCount, g_.shownRowCount);
    for (int32_t r = reach_.FirstRow(c_, g_.headerRowCount, g_.shownRowCount); r < endRow; ++r) {
      const int64_t top = static_cast<int64_t>(g_.headerRowCount + r) * c_;
      for (int32_t c = firstColumn; c < endColumn; ++c) {
        const int32_t q = Column(c);
        const Question* question = doc_.QuestionAt(q);
        const int32_t respondent = sheet_.RespondentAt(r, c);
        if (!question || q >= doc_.answers.QuestionCount() || respondent < 0 || respondent >= respondentCount)
          continue;
        const Alternative* chosen = doc_.AnswerAlternative(q, doc_.GetData(respondent, q));
        if (chosen == nullptr) continue;
        // Brushes and label offsets are kept by position in the alternative table.
        const auto alternative = static_cast<int32_t>(chosen - doc_.alternatives.data());
        const int64_t left = static_cast<int64_t>(c) * c_;
        const QBrush* brush = drawer_.AlternativeBrush(alternative);
        if (!texts_) {
          Fill(p_, brush, left, top, c_, c_);
          continue;
        }
        const TextRef label = chosen->sheetLabel;
        const int64_t offset = static_cast<int64_t>(drawer_.AlternativeLabelOffset(alternative)) * s_;
        if (stamps.Draw(alternative, brush, doc_.GetText(label), offset, left, top)) continue;
        Fill(p_, brush, left, top, c_, c_);
        labels.Draw(static_cast<size_t>(label), doc_.GetText(label), left + offset, TextY(top));
      }
    }
  }

  bool LineShown(int64_t x) const { return x - s_ >= 1 && x < g_.width && reach_.Spans(x - s_, x); }

  void GroupLines() {
    if (!request_.groupLines) return;
    const QBrush* brush = drawer_.ColourBrush(doc_.info.sheetColor1);
    const int64_t bottom = static_cast<int64_t>(g_.headerRowCount + g_.shownRowCount) * c_;
    for (const int64_t x : firstLines_)
      if (LineShown(x)) Fill(p_, brush, x - s_, 0, s_, bottom);
    for (const int64_t x : secondLines_)
      if (LineShown(x)) Fill(p_, brush, x - s_, c_, s_, bottom - c_);
  }

  void QuestionIndexRows() {
    sums_ = SumColumns(doc_, sheet_);
    const int64_t y0 = g_.IndexTop();
    p_.setFont(fonts_.Normal());
    for (int32_t c = 0; c < ColumnCount(); ++c) {
      const int64_t top = y0 + (c % 2) * c_;
      const int64_t left = static_cast<int64_t>(c / 2) * 2 * c_ + (c % 2 == 0 ? -c_ / 2 : c_ / 2);
      const int64_t clippedLeft = std::max<int64_t>(0, left);
      const int64_t clippedRight = std::min<int64_t>(g_.width, left + 2 * c_);
      Fill(p_, drawer_.QuestionBrush(Column(c)), clippedLeft, top, clippedRight - clippedLeft, c_);
      const IndexSum& sums = sums_[static_cast<size_t>(c)];
      if (sums.count <= 0) continue;
      const QString text = IndexText(sums);
      const int32_t width = fonts_.NormalWidth(text);
      int64_t x = left + (2 * c_ - width) / 2;
      if (x < 1) {
        x = 1;
      } else if (x + width > g_.width - 1) {
        x = g_.width - 1 - width;
      }
      DrawTextAt(p_, fonts_.NormalMetrics(), text, x, top + 2);
    }
  }

  QString IndexText(const IndexSum& sums) const { return FormatIndexText(doc_, sums.Index(doc_)); }

  void BlockIndexRow() {
    const int64_t top = g_.IndexTop() + 2 * c_;
    const std::vector<Band> bands = WalkBands(doc_, sheet_.columns, true, c_, nullptr);
    p_.setFont(fonts_.Normal());
    for (const Band& band : bands) {
      const int64_t left = static_cast<int64_t>(band.first) * c_;
      const int64_t width = static_cast<int64_t>(band.last - band.first + 1) * c_;
      Fill(p_, drawer_.ColourBrush(doc_.info.levelColors[static_cast<size_t>(band.colour)]), left, top, width, c_);
      if (band.last == band.first) continue;
      IndexSum pooled;
      for (int32_t c = band.first; c <= band.last; ++c) pooled.Add(sums_[static_cast<size_t>(c)]);
      if (pooled.count <= 0) continue;
      const QString text = IndexText(pooled);
      DrawTextAt(p_, fonts_.NormalMetrics(), text, left + (width - fonts_.NormalWidth(text)) / 2, top + 2);
    }
    if (!request_.groupLines) return;
    const QBrush* brush = drawer_.ColourBrush(doc_.info.sheetColor1);
    for (const int64_t x : firstLines_)
      if (LineShown(x)) Fill(p_, brush, x - s_, top, s_, c_);
  }

  void Caption() {
    const CaptionLayout& caption = g_.caption;
    int64_t top = g_.CaptionTop();
    const int64_t height = static_cast<int64_t>(caption.TextRows()) * c_ + caption.ExtraHeight();
    Fill(p_, drawer_.ColourBrush(doc_.info.sheetColor0), 0, top, g_.width, height);
    p_.setFont(fonts_.Normal());
    const int32_t width = static_cast<int32_t>(g_.width);
    for (const CaptionRow& row : caption.rows) {
      if (row.wrapped) {
        const QString& line = caption.lines[static_cast<size_t>(row.first)];
        const QRect box(1, static_cast<int>(top + 2), std::max(1, width - 2), fonts_.LineHeight() + row.extraHeight);
        p_.drawText(box, SheetFonts::WrapFlags(), line);
      } else {
        const std::vector<int32_t> xs = caption.LineXs(row, width);
        for (int32_t i = 0; i < row.count; ++i)
          DrawTextAt(p_, fonts_.NormalMetrics(), caption.lines[static_cast<size_t>(row.first + i)],
                     xs[static_cast<size_t>(i)], top + 2);
      }
      top += c_ + row.extraHeight;
    }
  }

  QPainter& p_;
  const SheetDrawer& drawer_;
  const SurveyDocument& doc_;
  const SubSheet& sheet_;
  const SheetRequest& request_;
  const SheetGeometry& g_;
  const SheetFonts& fonts_;
  const int64_t c_;
  const int64_t s_;
  const bool texts_;
  const SheetReach reach_;
  SheetPaintReuse* const reuse_;
  std::vector<int64_t> firstLines_;
  std::vector<int64_t> secondLines_;
  std::vector<IndexSum> sums_;
};

}  // namespace

QString ShortenBandText(const QString& text, int32_t bandWidth, const QFontMetrics& metrics) {
  if (metrics.horizontalAdvance(text) <= bandWidth) return text;
  // The longest start of 3 .. size - 1 characters narrower than the band.
  // A start's width grows with its length, so a binary search finds it with
  // a logarithmic number of measurements, whatever the text's length.
  const auto fits = [&](qsizetype n) { return metrics.horizontalAdvance(text.left(n)) < bandWidth; };
  qsizetype low = 2;                 // the answer when no longer start fits
  qsizetype high = text.size() - 1;  // the longest start to try
  while (low < high) {
    const qsizetype middle = low + (high - low + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  // Never split a surrogate pair.
  if (low > 2 && text.at(low - 1).isHighSurrogate()) --low;
  return text.left(low);
}

QColor ColourFromColorRef(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

namespace {

BiText UndrawableColourText() {
  return {QStringLiteral("The document has a colour that cannot be drawn."),
          QStringLiteral("Dokumentet har en färg som inte kan ritas.")};
}

}  // namespace

Result<SheetDrawer> SheetDrawer::Create(const SurveyDocument& document) {
  SheetDrawer drawer;
  drawer.capacity_ = kBrushSlotsStep;
  drawer.questionBrushes_.assign(document.questions.size(), 0);
  drawer.alternativeBrushes_.assign(document.alternatives.size(), 0);
  bool failed = false;
  auto cache = [&](Colour colour) -> BrushHandle {
    if (colour == -1 || failed) return 0;
    const BrushHandle handle = drawer.GetCachedBrush(colour);
    if (handle == 0) failed = true;
    return handle;
  };
  cache(document.info.sheetColor0);
  for (const Colour colour : document.info.levelColors) cache(colour);
  cache(document.info.sheetColor1);
  for (size_t q = 0; q < document.questions.size(); ++q)
    drawer.questionBrushes_[q] = cache(document.questions[q].backColor);
  for (size_t a = 0; a < document.alternatives.size(); ++a)
    drawer.alternativeBrushes_[a] = cache(document.alternatives[a].backColor);
  if (failed) return Status::Failure(UndrawableColourText());
  return drawer;
}

BrushHandle SheetDrawer::GetCachedBrush(Colour colour) {
  if (!BrushableColour(colour)) return 0;
  if (const auto found = lookup_.constFind(colour); found != lookup_.cend()) return found.value();
  if (static_cast<int32_t>(colours_.size()) >= capacity_) capacity_ += kBrushSlotsStep;
  colours_.push_back(colour);
  brushes_.emplace_back(ColourFromColorRef(colour), Qt::SolidPattern);
  const BrushHandle handle = static_cast<BrushHandle>(colours_.size());
  lookup_.insert(colour, handle);
  return handle;
}

void SheetDrawer::CreateSheetTextCoordinates(const SurveyDocument& document, const SheetFonts& fonts,
                                             int32_t cellWidth) {
  questionOffsets_.resize(document.questions.size(), 0);
  alternativeOffsets_.resize(document.alternatives.size(), 0);
  for (size_t q = 0; q < document.questions.size(); ++q) {
    const Question& question = document.questions[q];
    const QString& label = document.GetText(question.sheetLabel);
    if (!question.isOverviewQuestion || label.isEmpty()) continue;
    const int32_t width = fonts.BoldWidth(label);
    questionOffsets_[q] = (cellWidth - width) / 2;
    widestLabel_ = std::max(widestLabel_, width);
  }
  // Alternatives often share their labels: each distinct text is measured once.
  QHash<TextRef, int32_t> measured;
  for (size_t a = 0; a < document.alternatives.size(); ++a) {
    const TextRef ref = document.alternatives[a].sheetLabel;
    const auto known = measured.constFind(ref);
    if (known != measured.cend()) {
      alternativeOffsets_[a] = known.value();
      continue;
    }
    const QString& label = document.GetText(ref);
    const int32_t width = label.isEmpty() ? 0 : fonts.NormalWidth(label);
    const int32_t offset = label.isEmpty() ? 0 : (cellWidth - width) / 2;
    measured.insert(ref, offset);
    alternativeOffsets_[a] = offset;
    widestLabel_ = std::max(widestLabel_, width);
  }
  measured_ = true;
}

int32_t SheetDrawer::QuestionLabelOffset(int32_t question) const { return At(questionOffsets_, question, 0); }
int32_t SheetDrawer::AlternativeLabelOffset(int32_t alternative) const {
  return At(alternativeOffsets_, alternative, 0);
}

const QBrush* SheetDrawer::Brush(BrushHandle handle) const {
  if (handle <= 0 || static_cast<size_t>(handle) > brushes_.size()) return nullptr;
  return &brushes_[static_cast<size_t>(handle - 1)];
}

const QBrush* SheetDrawer::ColourBrush(Colour colour) const {
  const auto found = lookup_.constFind(colour);
  return found == lookup_.cend() ? nullptr : Brush(found.value());
}

const QBrush* SheetDrawer::QuestionBrush(int32_t question) const { return Brush(At(questionBrushes_, question, 0)); }
const QBrush* SheetDrawer::AlternativeBrush(int32_t alternative) const {
  return Brush(At(alternativeBrushes_, alternative, 0));
}

SheetGeometry LayOutSheet(const SurveyDocument& document, const SubSheet& sheet, const SheetRequest& request,
                          const SheetFonts& fonts) {
  return LayOutSheet(document, request.mode, sheet.columns, static_cast<int64_t>(sheet.respondents.size()),
                     request.maxRows, request.rowLimit, sheet.totalIndex, sheet.description, fonts);
}

void MeasureSheetLabels(SheetDrawer& drawer, const SurveyDocument& document, const SheetGeometry& geometry,
                        const SheetFonts& fonts) {
  if (!SheetDrawsTexts(geometry.mode) || drawer.OffsetsMeasured()) return;
  // The centring offsets are measured once per document, at the screen's
  // scale, whichever target is drawn first.
  if (fonts.Scale() == 1) {
    drawer.CreateSheetTextCoordinates(document, fonts, SheetCellSize(kSheetScreen));
  } else {
    drawer.CreateSheetTextCoordinates(document, SheetFonts(1), SheetCellSize(kSheetScreen));
  }
}

bool PaintSheet(QPainter& painter, SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                const SheetRequest& request, const SheetGeometry& geometry, const SheetFonts& fonts) {
  if (!painter.isActive()) return false;
  MeasureSheetLabels(drawer, document, geometry, fonts);
  painter.save();
  SheetPainter(painter, drawer, document, sheet, request, geometry, fonts).Paint();
  painter.restore();
  return true;
}

namespace {

void PaintArea(QPainter& painter, const SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
               const SheetRequest& request, const SheetGeometry& geometry, const SheetFonts& fonts,
               const QRect& area, SheetPaintReuse* reuse) {
  if (!painter.isActive() || area.isEmpty()) return;
  const int64_t cell = geometry.cellSize;
  const int64_t labels = SheetDrawsTexts(geometry.mode) ? int64_t{drawer.WidestLabel()} * geometry.scale : 0;
  painter.save();
  SheetPainter(painter, drawer, document, sheet, request, geometry, fonts, SheetReach(area, cell + labels, cell),
               reuse)
      .Paint();
  painter.restore();
}

}  // namespace

void PaintSheetArea(QPainter& painter, const SheetDrawer& drawer, const SurveyDocument& document,
                    const SubSheet& sheet, const SheetRequest& request, const SheetGeometry& geometry,
                    const SheetFonts& fonts, const QRect& area) {
  PaintArea(painter, drawer, document, sheet, request, geometry, fonts, area, nullptr);
}

LaidOutSheet::LaidOutSheet(const SurveyDocument& document, const SheetDrawer& drawer, const SubSheet& sheet,
                           const SheetRequest& request, SheetGeometry geometry, SheetFonts fonts)
    : document_(document),
      drawer_(drawer),
      sheet_(sheet),
      request_(request),
      geometry_(std::move(geometry)),
      fonts_(std::move(fonts)),
      reuse_(std::make_unique<SheetPaintReuse>()) {}

LaidOutSheet::~LaidOutSheet() = default;

void LaidOutSheet::PaintRegion(QPainter& painter, const QRect& sheetRect, QPoint target) const {
  const QRect inside = sheetRect.intersected(
      QRect(0, 0, static_cast<int>(geometry_.width), static_cast<int>(geometry_.height)));
  if (inside.isEmpty() || !painter.isActive()) return;
  painter.save();
  painter.translate(target - sheetRect.topLeft());
  painter.setClipRect(inside, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  painter.fillRect(inside, Qt::black);
  PaintArea(painter, drawer_, document_, sheet_, request_, geometry_, fonts_, inside, reuse_.get());
  painter.restore();
}

void SheetState::PaintRegion(QPainter& painter, const QRect& sheetRect, QPoint target) const {
  if (sheet_) sheet_->PaintRegion(painter, sheetRect, target);
}

QImage SheetState::RegionPixels(const QRect& sheetRect) const {
  const QRect inside = sheetRect.intersected(Bounds());
  if (inside.isEmpty() || !sheet_) return QImage();
  QImage image(inside.size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  QPainter painter(&image);
  sheet_->PaintRegion(painter, inside, QPoint(0, 0));
  return image;
}

BiText SheetTooLargeText() {
  return {QStringLiteral("The overview is too large to be shown!"),
          QStringLiteral("Översikten är för stor för att visas!")};
}

void EraseSheet(SheetState* state) { *state = SheetState(); }

namespace {

// Sheets are painted in int pixel coordinates, scroll offsets included.
constexpr int64_t kSheetMaxCoordinate = int64_t{1} << 30;

bool RegionMode(int32_t mode) { return mode == kSheetScreen || mode == kSheetMiniOverview; }

}  // namespace

Status DrawSheet(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                 const SheetRequest& request, SheetState* state) {
  const Status tooLarge = Status::Failure(SheetTooLargeText());
  if (!RegionMode(request.mode)) return tooLarge;
  EraseSheet(state);
  SheetFonts fonts(SheetScale(request.mode));
  SheetGeometry geometry = LayOutSheet(document, sheet, request, fonts);
  if (geometry.width > kSheetMaxCoordinate || geometry.height > kSheetMaxCoordinate) return tooLarge;
  MeasureSheetLabels(drawer, document, geometry, fonts);
  state->present = true;
  state->width = static_cast<int32_t>(geometry.width);
  state->height = static_cast<int32_t>(geometry.height);
  state->cellSize = geometry.cellSize;
  state->rowHeight = geometry.cellSize;
  state->frozenColumns = 0;
  state->headerRowCount = geometry.headerRowCount;
  state->shownRowCount = geometry.shownRowCount;
  state->sheet_ =
      std::make_shared<const LaidOutSheet>(document, drawer, sheet, request, std::move(geometry), std::move(fonts));
  return Status::Ok();
}

Result<QImage> DrawSheetImage(SheetDrawer& drawer, const SurveyDocument& document, const SubSheet& sheet,
                              const SheetRequest& request) {
  const Status tooLarge = Status::Failure(SheetTooLargeText());
  if (!RegionMode(request.mode)) return tooLarge;
  const SheetFonts fonts(SheetScale(request.mode));
  const SheetGeometry geometry = LayOutSheet(document, sheet, request, fonts);
  if (!geometry.Drawable()) return tooLarge;
  if (geometry.width <= 0 || geometry.height <= 0) return QImage();
  QImage image(static_cast<int>(geometry.width), static_cast<int>(geometry.height), QImage::Format_RGB32);
  if (image.isNull()) return tooLarge;
  image.fill(0);
  QPainter painter(&image);
  if (!PaintSheet(painter, drawer, document, sheet, request, geometry, fonts)) return tooLarge;
  painter.end();
  return image;
}

}  // namespace kvf
